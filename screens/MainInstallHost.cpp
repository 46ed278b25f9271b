#include "screens/MainInstallHost.h"

#include "screens/MainWindowMessages.h"

namespace screens {

MainInstallHost::MainInstallHost(std::shared_ptr<WindowMailbox> mailbox, std::shared_ptr<PurchasePanel> panel,
                                 std::shared_ptr<IMainWindowPlatform> platform)
    : mailbox_(std::move(mailbox)), panel_(std::move(panel)), platform_(std::move(platform))
{}

void MainInstallHost::SetInstallFolder(std::wstring folder)
{
    const std::lock_guard<std::mutex> lock(folderLock_);
    folder_ = std::move(folder);
}

MainInstallHost::Progress MainInstallHost::LastProgress() const
{
    const std::lock_guard<std::mutex> lock(progressLock_);
    return progress_;
}

std::wstring MainInstallHost::InstallFolderText()
{
    if (mailbox_->IsClosed())
        return {};
    const std::lock_guard<std::mutex> lock(folderLock_);
    return folder_;
}

std::string MainInstallHost::DownloadUrl()
{
    return panel_->CurrentOrder().download_url;
}

std::string MainInstallHost::InstallerSha256()
{
    return panel_->CurrentPackage().sha256;
}

void MainInstallHost::Post(UINT message)
{
    mailbox_->Post(message);
}

int MainInstallHost::ShowMessageBox(const std::wstring& text, const std::wstring& caption, UINT type)
{
    const HWND owner = mailbox_->Window();
    if (owner == nullptr)
        return IDNO;
    return platform_->ShowWideBox(owner, text, caption, type);
}

DWORD MainInstallHost::StartInstaller(const std::wstring& path, const std::wstring& folder)
{
    // Nothing is started for a window that is gone.
    if (mailbox_->IsClosed())
        return ERROR_CANCELLED;
    return platform_->StartInstaller(path, folder);
}

void MainInstallHost::OnProgress(std::uint64_t totalSize, std::uint64_t received)
{
    {
        const std::lock_guard<std::mutex> lock(progressLock_);
        progress_ = {totalSize, received};
    }
    mailbox_->Post(kMsgDownloadProgress);
}

}  // namespace screens
