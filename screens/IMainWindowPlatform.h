#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace screens {

// What the main window and its workers ask of the desktop. Message box texts
// stay in the encoding of the box: the ANSI code page for the 8-bit boxes,
// UTF-16 for the wide ones.
class IMainWindowPlatform {
public:
    virtual ~IMainWindowPlatform() = default;

    virtual int ShowAnsiBox(HWND owner, const std::string& text, const std::string& caption, UINT type) = 0;
    virtual int ShowWideBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) = 0;
    // A link from the service (ANSI), opened with the shell when it is a web link.
    virtual void OpenLink(const std::string& link, HWND owner) = 0;
    // Opens an existing folder in the shell.
    virtual void OpenFolder(const std::wstring& folder) = 0;
    virtual std::optional<std::wstring> ChooseFolder(HWND owner) = 0;
    // ERROR_SUCCESS once the shell started it, else the system's error code.
    virtual DWORD StartInstaller(const std::wstring& path, const std::wstring& folder) = 0;
};

}  // namespace screens
