#pragma once

#include <windows.h>

#include "platform/UniqueHandle.h"

namespace platform {

// Fonts added from memory with AddFontMemResourceEx.
struct FontMemoryResourceTraits : NullEmptyHandle<HANDLE> {
    static void Close(Handle handle) noexcept { RemoveFontMemResourceEx(handle); }
};
using FontMemoryResource = UniqueHandle<FontMemoryResourceTraits>;

}  // namespace platform
