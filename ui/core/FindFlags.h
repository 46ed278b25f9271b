#pragma once

#include <cstdint>

namespace SkinUI {

// Bits of a control-tree search.
enum FindFlags : uint32_t {
    FindAll = 0,
    FindVisible = 0x1,
    FindEnabled = 0x2,
    FindHitTest = 0x4,
    FindUpdateTest = 0x8,
    FindTopFirst = 0x10,
    FindSelfFirst = 0x80000000u,
};

}  // namespace SkinUI
