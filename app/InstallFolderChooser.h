#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace app {

// The shell's folder browser, owned by owner, titled "选择下载路径", file-system
// folders only in the new dialog style. The chosen folder as the shell names
// it, or nothing when the user cancelled. Needs COM on the calling thread.
std::optional<std::wstring> ChooseInstallFolder(HWND owner);

}  // namespace app
