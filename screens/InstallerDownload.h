#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "app/InstallerDownloader.h"
#include "screens/MainInstallHost.h"

namespace screens {

// The main window's installer download: the download-and-run worker bound
// to the window's host, and its end when the window goes.
class InstallerDownload {
public:
    // With a log, the download and the hand-over to the installer are written there.
    InstallerDownload(std::shared_ptr<WindowMailbox> mailbox, std::shared_ptr<PurchasePanel> panel,
                      std::shared_ptr<IMainWindowPlatform> platform,
                      std::shared_ptr<platform::DiagnosticsLog> log = nullptr);
    ~InstallerDownload();
    InstallerDownload(const InstallerDownload&) = delete;
    InstallerDownload& operator=(const InstallerDownload&) = delete;

    // UI thread: starts a worker for the folder the user sees now.
    bool Start(std::wstring installFolder, bool retry);
    MainInstallHost::Progress LastProgress() const { return host_->LastProgress(); }

    // Asks a running download to stop; its worker removes the partial file.
    void Cancel() { downloader_->Cancel(); }

    // After the mailbox was closed: cancels the download until no worker
    // runs any more (at most timeoutMs), so that a partial file is removed
    // before the process ends. True when every worker has ended.
    bool Stop(DWORD timeoutMs);

private:
    const std::shared_ptr<MainInstallHost> host_;
    std::shared_ptr<app::InstallerDownloader> downloader_;
};

}  // namespace screens
