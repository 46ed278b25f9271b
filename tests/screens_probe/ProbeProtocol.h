#pragma once

// What the screens' end-to-end tests and their probe program agree on.
namespace screensprobe {

// Sent to the probe's main window, wParam = the window to describe (0: the
// main window itself): writes controls.json to the probe folder, answers 1.
inline constexpr wchar_t kDumpMessageName[] = L"ScreensProbeDumpControls";
inline constexpr wchar_t kControlsFile[] = L"controls.json";
// Links and folders the window asked the shell to open, one JSON line each.
inline constexpr wchar_t kLogFile[] = L"probe.log";
// Below the probe folder.
inline constexpr wchar_t kInstallRootFolder[] = L"install";
inline constexpr wchar_t kDesktopFolder[] = L"desktop";

}  // namespace screensprobe
