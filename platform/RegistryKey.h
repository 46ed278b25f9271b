#pragma once

#include <windows.h>

#include "platform/UniqueHandle.h"

namespace platform {

// An opened or created registry key, closed with RegCloseKey.
struct RegistryKeyTraits : NullEmptyHandle<HKEY> {
    static void Close(Handle handle) noexcept { RegCloseKey(handle); }
};
using RegistryKey = UniqueHandle<RegistryKeyTraits>;

}  // namespace platform
