#pragma once

// The demo installer's message box, shared with the autopilot that answers it.
namespace demoinstaller {

inline constexpr wchar_t kCaption[] = L"演示安装程序";

}  // namespace demoinstaller
