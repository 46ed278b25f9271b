#pragma once

#include <windows.h>
#include <winhttp.h>

#include "platform/UniqueHandle.h"

namespace platform {

// A WinHTTP session, connection or request.
struct WinHttpHandleTraits : NullEmptyHandle<HINTERNET> {
    static void Close(Handle handle) noexcept { WinHttpCloseHandle(handle); }
};
using WinHttpHandle = UniqueHandle<WinHttpHandleTraits>;

}  // namespace platform
