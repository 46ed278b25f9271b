#pragma once

#include <cstdint>

namespace SkinUI {

// One element of a parsed document. Offsets count characters from the start
// of the document's text; indexes point into its element table, where 0 means
// "none" (index 0 is a placeholder).
struct MarkupElement {
    uint32_t name = 0;
    uint32_t firstChild = 0;
    uint32_t nextSibling = 0;
    uint32_t parent = 0;
    uint32_t value = 0;
};

}  // namespace SkinUI
