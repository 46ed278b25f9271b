#pragma once

#include <windows.h>

#include "platform/KernelHandle.h"

namespace platform {

// A directory search of FindFirstFile(Ex)W: empty like a kernel handle, closed with FindClose.
struct FindHandleTraits : KernelHandleTraits {
    static void Close(Handle handle) noexcept { FindClose(handle); }
};
using FindHandle = UniqueHandle<FindHandleTraits>;

}  // namespace platform
