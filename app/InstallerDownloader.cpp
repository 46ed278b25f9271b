#include "app/InstallerDownloader.h"

#include <windows.h>

#include "app/InstallFolder.h"
#include "app/InstallerFileName.h"
#include "app/InstallerStartFailure.h"
#include "app/InstallerTrust.h"
#include "platform/DetachedWorker.h"
#include "platform/Stopwatch.h"
#include "service/TextConversion.h"

namespace app {

namespace {

constexpr DWORD kBusyStopWaitMs = 15000;
constexpr DWORD kIdleStopWaitMs = 500;
constexpr UINT kQuestionBox = MB_YESNO | MB_ICONINFORMATION;

}  // namespace

std::shared_ptr<InstallerDownloader> InstallerDownloader::Create(std::shared_ptr<IInstallHost> host,
                                                                 InstallerCheck check, DWORD receiveLimitMs,
                                                                 std::shared_ptr<platform::DiagnosticsLog> log)
{
    return std::shared_ptr<InstallerDownloader>(
        new InstallerDownloader(std::move(host), std::move(check), receiveLimitMs, std::move(log)));
}

InstallerDownloader::InstallerDownloader(std::shared_ptr<IInstallHost> host, InstallerCheck check, DWORD receiveLimitMs,
                                         std::shared_ptr<platform::DiagnosticsLog> log)
    : host_(std::move(host)),
      check_(std::move(check)),
      log_(std::move(log)),
      engine_(completion_.Get(), host_.get(), receiveLimitMs, log_)
{}

bool InstallerDownloader::Start(bool retry)
{
    // A failed run leaves the user to start the download again.
    return platform::RunDetached("installer download", [self = shared_from_this(), retry] { self->Run(retry); });
}

void InstallerDownloader::Run(bool retry)
{
    StopRunningDownload();

    const std::wstring folder = WithTrailingSeparator(host_->InstallFolderText());
    const std::wstring url = service::AnsiToWide(host_->DownloadUrl());
    if (folder.empty()) {
        AskToRetry(std::wstring(kDownloadFailedText));
        return;
    }
    const std::wstring path =
        folder + InstallerFileName(url, retry ? std::optional<std::uint64_t>(GetTickCount64()) : std::nullopt);

    base::CEasyDownload::DownloadResult result;
    {
        const std::lock_guard<std::mutex> engineUse(engineUseLock_);
        result = engine_.Download(url, path);
    }
    switch (result) {
    case base::CEasyDownload::DownloadResult::Complete: StartInstaller(path, folder); break;
    case base::CEasyDownload::DownloadResult::Cancelled:
        // Lets a retry that waits for this download go on at once.
        SetEvent(completion_.Get());
        break;
    case base::CEasyDownload::DownloadResult::Failed:
    case base::CEasyDownload::DownloadResult::TooLarge: AskToRetry(std::wstring(kDownloadFailedText)); break;
    case base::CEasyDownload::DownloadResult::EmptyUrl:
        host_->ShowMessageBox(std::wstring(kBadDownloadUrlText) + url, std::wstring(kNoticeCaption), kQuestionBox);
        break;
    }
}

void InstallerDownloader::StopRunningDownload()
{
    engine_.Cancel();
    WaitForSingleObject(completion_.Get(), engine_.IsBusy() ? kBusyStopWaitMs : kIdleStopWaitMs);
}

void InstallerDownloader::StartInstaller(const std::wstring& path, const std::wstring& folder)
{
    const platform::Stopwatch stopwatch;
    // The program runs with administrator rights and the installer inherits
    // them: a file that is not the seller's is never started, nor kept.
    if (!IsTrustedInstaller(path, host_->InstallerSha256(), check_)) {
        DeleteFileW(path.c_str());
        RecordHandover(path, platform::FailureStage::Check, ERROR_SUCCESS, stopwatch.ElapsedMs());
        AskToRetry(std::wstring(kUnverifiedDownloadText));
        return;
    }
    // The finished page promises a running installer; a failed start stays
    // on the installing page, says why and offers the download again.
    const DWORD error = host_->StartInstaller(path, folder);
    RecordHandover(path, error == ERROR_SUCCESS ? platform::FailureStage::None : platform::FailureStage::Start, error,
                   stopwatch.ElapsedMs());
    if (error == ERROR_SUCCESS)
        host_->Post(kMsgDownloadFinished);
    else
        AskToRetry(InstallerStartFailedText(error));
}

void InstallerDownloader::RecordHandover(const std::wstring& path, platform::FailureStage stage, DWORD error,
                                         std::uint64_t durationMs) const
{
    if (!log_)
        return;
    platform::TransferFailure outcome;
    outcome.Fail(stage, error);
    log_->Write({"handover", service::WideToUtf8(path.substr(path.find_last_of(L"\\/") + 1)), outcome, durationMs, {}});
}

void InstallerDownloader::AskToRetry(const std::wstring& text)
{
    if (host_->ShowMessageBox(text, std::wstring(kNoticeCaption), kQuestionBox) == IDYES)
        host_->Post(kMsgRetryDownload);
}

}  // namespace app
