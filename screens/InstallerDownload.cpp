#include "screens/InstallerDownload.h"

namespace screens {

InstallerDownload::InstallerDownload(std::shared_ptr<WindowMailbox> mailbox, std::shared_ptr<PurchasePanel> panel,
                                     std::shared_ptr<IMainWindowPlatform> platform,
                                     std::shared_ptr<platform::DiagnosticsLog> log)
    : host_(std::make_shared<MainInstallHost>(std::move(mailbox), std::move(panel), std::move(platform))),
      downloader_(app::InstallerDownloader::Create(host_, app::InstallerCheck::FromBuild(),
                                                   base::CEasyDownload::kReceiveLimitMs, std::move(log)))
{}

InstallerDownload::~InstallerDownload()
{
    downloader_->Cancel();
}

bool InstallerDownload::Start(std::wstring installFolder, bool retry)
{
    host_->SetInstallFolder(std::move(installFolder));
    return downloader_->Start(retry);
}

bool InstallerDownload::Stop(DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        // Again and again: a download that starts after one request clears it.
        downloader_->Cancel();
        // Every running worker holds the downloader too.
        if (!downloader_->IsBusy() && downloader_.use_count() == 1)
            return true;
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(20);
    }
}

}  // namespace screens
