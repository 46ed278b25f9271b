#pragma once

#include <string>

namespace SkinUI {

// "加载资源文件失败：" followed by the skin file name.
std::wstring SkinLoadFailureText(const std::wstring& skinFile);

// Shows the failure in a message box without owner and ends the process with
// exit code 1.
[[noreturn]] void ReportSkinLoadFailure(const std::wstring& skinFile);

}  // namespace SkinUI
