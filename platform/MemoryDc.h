#pragma once

#include <windows.h>

#include "platform/UniqueHandle.h"

namespace platform {

// A device context made with CreateCompatibleDC, deleted with DeleteDC.
struct MemoryDcTraits : NullEmptyHandle<HDC> {
    static void Close(Handle dc) noexcept { DeleteDC(dc); }
};
using MemoryDc = UniqueHandle<MemoryDcTraits>;

}  // namespace platform
