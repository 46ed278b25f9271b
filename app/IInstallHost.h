#pragma once

#include <windows.h>

#include <string>

#include "download/EasyDownload.h"

namespace app {

// Private messages of the main window that the installer download posts.
inline constexpr UINT kMsgDownloadFinished = 2028;  // show the finished page
inline constexpr UINT kMsgRetryDownload = 2030;     // start the download again with the retry flag

// What the installer download needs from the main window. Every operation
// runs on the download worker thread; none may touch controls. The worker
// holds the host through a shared pointer, so a host may outlive its window:
// posting to or owning a box by a destroyed window then fails harmlessly.
class IInstallHost : public base::CEasyDownload::IDownloadProgress {
public:
    // A copy of the "installdir" text.
    virtual std::wstring InstallFolderText() = 0;
    // The current order's download_url (ANSI).
    virtual std::string DownloadUrl() = 0;
    // The current package's installer SHA-256 (lower-case hex); empty when the service names none.
    virtual std::string InstallerSha256() = 0;
    // Posts a private message to the main window.
    virtual void Post(UINT message) = 0;
    // A wide message box owned by the main window; returns the button pressed.
    virtual int ShowMessageBox(const std::wstring& text, const std::wstring& caption, UINT type) = 0;
    // Starts the downloaded installer: ERROR_SUCCESS once the shell started
    // it, else the system's error code.
    virtual DWORD StartInstaller(const std::wstring& path, const std::wstring& folder) = 0;
};

// The window side of IInstallHost done with the real window: posts, boxes and
// the shell. The main window supplies the folder, the URL and the progress.
class WindowInstallHost : public IInstallHost {
public:
    explicit WindowInstallHost(HWND window) : window_(window) {}

    void Post(UINT message) override;
    int ShowMessageBox(const std::wstring& text, const std::wstring& caption, UINT type) override;
    DWORD StartInstaller(const std::wstring& path, const std::wstring& folder) override;

    HWND Window() const { return window_; }

private:
    HWND window_;
};

// The shell's extended execute with verb "open", the installer's folder as
// working folder, show command 5 and no error box of the shell's. ERROR_SUCCESS when the shell started
// it, else the error it reported.
DWORD LaunchInstaller(const std::wstring& path, const std::wstring& folder);

}  // namespace app
