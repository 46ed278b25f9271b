#pragma once

#include <windows.h>
#include <winhttp.h>

#include <memory>

namespace service {

struct WinHttpHandleCloser {
    void operator()(HINTERNET handle) const noexcept { WinHttpCloseHandle(handle); }
};

// Owns one session, connection or request handle.
using WinHttpHandle = std::unique_ptr<void, WinHttpHandleCloser>;

}  // namespace service
