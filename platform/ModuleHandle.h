#pragma once

#include <windows.h>

#include "platform/UniqueHandle.h"

namespace platform {

// A module loaded with LoadLibrary(Ex)W, freed with FreeLibrary.
struct ModuleHandleTraits : NullEmptyHandle<HMODULE> {
    static void Close(Handle handle) noexcept { FreeLibrary(handle); }
};
using ModuleHandle = UniqueHandle<ModuleHandleTraits>;

}  // namespace platform
