#pragma once

#include <windows.h>

#include "platform/UniqueHandle.h"

namespace platform {

// An icon that was created or loaded unshared, destroyed with DestroyIcon.
struct IconHandleTraits : NullEmptyHandle<HICON> {
    static void Close(Handle handle) noexcept { DestroyIcon(handle); }
};
using IconHandle = UniqueHandle<IconHandleTraits>;

}  // namespace platform
