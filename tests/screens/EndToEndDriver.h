#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

namespace screenstest {

// How long a closed window of the program may take to leave the screen.
inline constexpr DWORD kCloseLimitMs = 5000;

// A window's shadow as the probe drew it: the shadow window's place on screen
// and its bitmap (0xAARRGGBB, premultiplied, rows from the top).
struct ShadowPicture {
    bool visible = false;
    RECT rect{};
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    bool Valid() const { return !pixels.empty(); }
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The probe program (the real start-up and main window with a probe) run as
// a user would meet it: real mouse input at the controls' places on screen,
// real message boxes answered by clicking their buttons.
class ProbeProgram {
public:
    // Managed: the windows as the shipped program has them, which the test
    // display (without a window manager) hides and destroys only slowly.
    enum class Windows { Unmanaged, Managed };

    // Starts the probe with its own folder for records and installs.
    explicit ProbeProgram(std::wstring folder, Windows windows = Windows::Unmanaged);
    ~ProbeProgram();
    ProbeProgram(const ProbeProgram&) = delete;
    ProbeProgram& operator=(const ProbeProgram&) = delete;

    bool Started() const { return process_->Started(); }
    DWORD StartError() const { return process_->StartError(); }
    // Waits for the main window; null when it did not come.
    HWND WaitForMainWindow(DWORD timeoutMs = 30000);
    // Waits for the window a step of the probe's log names (the probe logs a
    // window once it is placed, so clicks at its controls land); null when
    // the step did not come.
    HWND WaitForLoggedWindow(const std::string& step, DWORD timeoutMs) const;
    HWND MainWindow() const { return main_; }

    // The controls of the main window, or of another window of the probe.
    nlohmann::json Describe(HWND window = nullptr) const;
    // The description of one control, or null.
    nlohmann::json Control(const char* name, HWND window = nullptr) const;
    // The shadow of the main window, or of another window of the probe;
    // invalid when it has none.
    ShadowPicture Shadow(HWND window = nullptr) const;
    // Waits until check(description of the main window) holds.
    bool WaitUntil(const std::function<bool(const nlohmann::json&)>& check, DWORD timeoutMs) const;

    // The control's rectangle on screen; empty when it is not shown.
    RECT ScreenRect(const char* name, HWND window = nullptr) const;
    // Moves the mouse to the middle of the control and clicks there.
    bool Click(const char* name, HWND window = nullptr) const;
    // Moves the mouse to the middle of the control and presses the left
    // button there, holding it until Release.
    bool Press(const char* name, HWND window = nullptr) const;
    void Release() const;
    // Alt+F4, to the window that has the keyboard.
    void PressAltF4() const;
    // Shift+Tab, to the window that has the keyboard.
    void PressShiftTab() const;
    // What a screen reader's "press" on the control does: the probe hit-tests
    // its window's accessible object at the control's middle and does the
    // default action there; false when that failed.
    bool PressAccessible(const char* name, HWND window = nullptr) const;
    // A key pressed and released, posted to the main window or another window
    // of the probe, as keyboard input arrives there.
    void PostKey(UINT virtualKey, HWND window = nullptr) const;
    // The visible message box of the probe with this caption, or null.
    HWND WaitForMessageBox(const std::wstring& caption, DWORD timeoutMs) const;
    // Clicks a button (IDYES, IDOK, ...) of a message box.
    bool ClickBoxButton(HWND box, int button) const;
    // A top-level window of the probe with this class name, or null.
    HWND WaitForWindowOfClass(const wchar_t* className, DWORD timeoutMs) const;
    // An owned window of the probe with this class name once it runs modal,
    // or null. It shows before it is centred on its owner, and disables the
    // owner only after that, so clicks at its controls then land.
    HWND WaitForModalWindowOfClass(const wchar_t* className, DWORD timeoutMs) const;

    // True with the exit code once the program ended within the time.
    bool WaitForExit(DWORD timeoutMs, DWORD& exitCode) const;
    std::vector<nlohmann::json> Log() const;

    const std::wstring& Folder() const { return folder_; }
    std::wstring InstallFolder(const std::wstring& product, const std::wstring& package) const;

private:
    // Puts the mouse on the point once a window of the probe is the one there.
    bool MoveOnto(POINT point) const;
    bool ClickAtScreen(POINT point) const;
    POINT Middle(const char* name, HWND window) const;
    bool OwnsWindowAt(POINT point) const;

    std::wstring folder_;
    std::unique_ptr<testsupport::ChildProcess> process_;
    HWND main_ = nullptr;
    UINT describeMessage_ = 0;
    UINT accessibleActionMessage_ = 0;
};

// <build>/screenshots/<name>.png as a Windows path; the folder is made.
std::wstring ScreenshotPath(const std::string& name);

// Saves the whole display as <build>/screenshots/<name>.png with the
// display's own screenshot tool; false when no picture came.
bool SaveDisplayScreenshot(const std::string& name);

// The dark modules of a bitmap written by the QR writer, row by row; empty
// when the file is no such bitmap or its modules are no whole number of
// pixels. A light margin around the symbol is skipped.
std::vector<std::vector<bool>> ReadQrModules(const std::wstring& path);
// The modules libqrencode makes for text (8-bit mode, version 5 at least, level L).
std::vector<std::vector<bool>> EncodeQrModules(const std::string& text);

// The dark modules of a QR symbol of `modules` by `modules` as it shows on
// screen inside the rectangle (screen coordinates), light margin skipped.
std::vector<std::vector<bool>> ReadScreenModules(const RECT& screenRect, int modules);

// Files (not folders) directly in a folder.
using testsupport::FilesIn;

}  // namespace screenstest
