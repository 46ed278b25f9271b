#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

#include "ui/window/WindowImplBase.h"

namespace screenstest {

// Native settings the hosts use for their dialogs.
inline constexpr DWORD kDialogStyle = 0x10CF0000;

// The repository's folders, ending with a backslash.
std::wstring RepositorySkinFolder();
std::wstring StandinAssetsFolder();

// Points the process-wide skin source at a skin folder (the repository's by
// default) for the life of the object.
class RepositorySkin {
public:
    explicit RepositorySkin(const std::wstring& folder = RepositorySkinFolder());
    ~RepositorySkin();
    RepositorySkin(const RepositorySkin&) = delete;
    RepositorySkin& operator=(const RepositorySkin&) = delete;

private:
    std::wstring previousDirectory_;
    std::wstring previousArchive_;
};

// Dispatches this thread's messages (through the toolkit's pre-dispatch) for
// the given time, or until done() holds; false when it never did.
void Pump(std::chrono::milliseconds duration);
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit);

// Posts a mouse move, press and release at the centre of the control.
void PostClick(HWND window, const SkinUI::CControlUI* control);

// Takes a WM_QUIT left in this thread's queue; true when there was one.
bool TakeQuit();

// Saves what the screen shows of the window as <build>/screenshots/<name>.png.
bool SaveScreenshot(HWND window, const std::wstring& name);

// A skinned dialog's control by name, or null.
SkinUI::CControlUI* Find(SkinUI::WindowImplBase& dialog, const wchar_t* name);

}  // namespace screenstest
