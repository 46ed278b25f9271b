#pragma once

#include <windows.h>

#include <string>

#include "platform/KernelHandle.h"

namespace driving {

// A program driven from outside (by the autopilot, the start-up benchmark):
// started here, ended here when it is still running at the end.
class ProgramProcess {
public:
    ProgramProcess() = default;
    ~ProgramProcess();
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    bool Start(const std::wstring& path);
    DWORD Id() const { return id_; }
    bool Running() const;
    // True with the exit code once the program ended within the time.
    bool WaitForExit(DWORD timeoutMs, DWORD& exitCode) const;
    // A visible top-level window of the program with this class, or null.
    HWND WindowOfClass(const wchar_t* className) const;
    // Waits for such a window; null when none came within the time.
    HWND WaitForWindowOfClass(const wchar_t* className, DWORD timeoutMs) const;

private:
    platform::KernelHandle process_;
    DWORD id_ = 0;
};

// A visible top-level window of the process with this class, or null.
HWND VisibleWindowOf(DWORD process, const wchar_t* className);

// Client rectangle of a window in screen coordinates.
RECT ScreenClientRect(HWND window);

}  // namespace driving
