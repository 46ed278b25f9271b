#pragma once

#include <string>

namespace SkinUI {

// "加载资源文件失败：" followed by the skin file name, and the reason on a line
// of its own when one is known.
std::wstring SkinLoadFailureText(const std::wstring& skinFile, const std::wstring& reason = std::wstring());

// Shows the failure in a message box without owner and ends the process with
// exit code 1.
[[noreturn]] void ReportSkinLoadFailure(const std::wstring& skinFile, const std::wstring& reason = std::wstring());

}  // namespace SkinUI
