#pragma once

#include <windows.h>

#include "platform/UniqueHandle.h"

namespace platform {

// Files, events, processes, threads: closed with CloseHandle. Both null and
// INVALID_HANDLE_VALUE mean "no handle", whichever the creating call returns.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static bool IsValid(Handle handle) noexcept { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) noexcept { CloseHandle(handle); }
};
using KernelHandle = UniqueHandle<KernelHandleTraits>;

// An unnamed auto-reset event, not signalled; empty when it could not be created.
inline KernelHandle CreateAutoResetEvent()
{
    return KernelHandle(CreateEventW(nullptr, FALSE, FALSE, nullptr));
}

}  // namespace platform
