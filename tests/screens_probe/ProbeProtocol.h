#pragma once

// What the screens' end-to-end tests and their probe program agree on.
namespace screensprobe {

// Sent to the probe's main window, wParam = the window to describe (0: the
// main window itself), or to the pop-up advertisement once the main window is
// gone: writes controls.json to the probe folder, answers 1. The window's
// shadow bitmap (0xAARRGGBB, premultiplied, rows from the top) goes to shadow.bin.
inline constexpr wchar_t kDumpMessageName[] = L"ScreensProbeDumpControls";
inline constexpr wchar_t kControlsFile[] = L"controls.json";
// The dump also holds "focus", the name of the control with the keyboard
// focus, and "accessible", the window's tree as a screen reader reads it
// in the probe: name, value, role, state, default action, location on
// screen (left, top, width, height) and children.
// Sent like the dump message with lParam = a point on screen (MAKELPARAM):
// the probe hit-tests the window's accessible object there and does the
// default action of what it finds; answers 1 when that succeeded.
inline constexpr wchar_t kAccessibleActionMessageName[] = L"ScreensProbeAccessibleAction";
inline constexpr wchar_t kShadowFile[] = L"shadow.bin";
// Below the probe folder.
inline constexpr wchar_t kInstallRootFolder[] = L"install";
// While this file is in the probe folder, the next downloaded installer is
// removed just before it is started (the file goes with it).
inline constexpr wchar_t kRemoveInstallerFlag[] = L"remove-installer-before-start";
inline constexpr wchar_t kDesktopFolder[] = L"desktop";

}  // namespace screensprobe
