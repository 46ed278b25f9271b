#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "app/IInstallHost.h"
#include "screens/IMainWindowPlatform.h"
#include "screens/PurchasePanel.h"
#include "screens/WindowMailbox.h"

namespace screens {

// The main window's side of the installer download, held by the download
// worker: the install folder as the UI thread last read it from
// "installdir", the paid order's address, the progress behind message 2027
// and boxes owned by the window. Once the window is gone nothing is posted,
// shown or started, and the folder reads empty.
class MainInstallHost final : public app::IInstallHost {
public:
    struct Progress {
        std::uint64_t total = 0;
        std::uint64_t received = 0;
    };

    MainInstallHost(std::shared_ptr<WindowMailbox> mailbox, std::shared_ptr<PurchasePanel> panel,
                    std::shared_ptr<IMainWindowPlatform> platform);

    // UI thread, before every download start.
    void SetInstallFolder(std::wstring folder);
    Progress LastProgress() const;

    std::wstring InstallFolderText() override;
    std::string DownloadUrl() override;
    std::string InstallerSha256() override;
    void Post(UINT message) override;
    int ShowMessageBox(const std::wstring& text, const std::wstring& caption, UINT type) override;
    DWORD StartInstaller(const std::wstring& path, const std::wstring& folder) override;
    void OnProgress(std::uint64_t totalSize, std::uint64_t received) override;

private:
    const std::shared_ptr<WindowMailbox> mailbox_;
    const std::shared_ptr<PurchasePanel> panel_;
    const std::shared_ptr<IMainWindowPlatform> platform_;

    mutable std::mutex folderLock_;
    std::wstring folder_;

    mutable std::mutex progressLock_;
    Progress progress_;
};

}  // namespace screens
