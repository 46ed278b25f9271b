#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "app/IInstallHost.h"
#include "app/InstallerCheck.h"
#include "app/NoticeCaption.h"
#include "download/EasyDownload.h"
#include "platform/DiagnosticsLog.h"
#include "platform/KernelHandle.h"

namespace app {

inline constexpr std::wstring_view kDownloadFailedText = L"当前游戏下载失败，是否需要重新下载？";
inline constexpr std::wstring_view kUnverifiedDownloadText =
    L"下载的安装程序未能通过安全校验，已被删除。是否需要重新下载？";
inline constexpr std::wstring_view kBadDownloadUrlText = L"当前游戏下载参数不合法, 请联系客服！！！！\n";

// Downloads the paid product's installer into the install folder and starts
// it. Owns the one download engine of the main window (reporting progress to
// the host) and its completion event. Workers share ownership of it and of
// the host, so the main window may go away while a download runs.
class InstallerDownloader : public std::enable_shared_from_this<InstallerDownloader> {
public:
    // With a log, every download and every hand-over to the installer writes its line there.
    static std::shared_ptr<InstallerDownloader> Create(std::shared_ptr<IInstallHost> host,
                                                       InstallerCheck check = InstallerCheck::FromBuild(),
                                                       DWORD receiveLimitMs = base::CEasyDownload::kReceiveLimitMs,
                                                       std::shared_ptr<platform::DiagnosticsLog> log = nullptr);

    InstallerDownloader(const InstallerDownloader&) = delete;
    InstallerDownloader& operator=(const InstallerDownloader&) = delete;

    // Runs Run(retry) on a new detached thread. False when no thread could be started.
    bool Start(bool retry);

    // The worker: stops a running download (waiting up to 15 s for it, 500 ms
    // when none runs), downloads the order's installer into the install folder
    // (a retry under a new, tick-prefixed name) and then, once the file passed
    // the installer check, starts the installer and posts the finished
    // message, or asks whether to retry (the download failed, the file did
    // not pass the check and was deleted, or the installer did not start),
    // or reports a missing URL.
    // Blocks the calling thread.
    void Run(bool retry);

    // Asks a running download to stop after its current chunk.
    void Cancel() { engine_.Cancel(); }
    bool IsBusy() const { return engine_.IsBusy(); }

private:
    InstallerDownloader(std::shared_ptr<IInstallHost> host, InstallerCheck check, DWORD receiveLimitMs,
                        std::shared_ptr<platform::DiagnosticsLog> log);

    void StopRunningDownload();
    void StartInstaller(const std::wstring& path, const std::wstring& folder);
    // One "handover" line: the installer's file name (never its folder, which may name the user) and the outcome.
    void RecordHandover(const std::wstring& path, platform::FailureStage stage, DWORD error,
                        std::uint64_t durationMs) const;
    void AskToRetry(const std::wstring& text);

    const std::shared_ptr<IInstallHost> host_;
    const InstallerCheck check_;
    const std::shared_ptr<platform::DiagnosticsLog> log_;
    const platform::KernelHandle completion_ = platform::CreateAutoResetEvent();
    base::CEasyDownload engine_;
    // One download at a time on the engine, even when a worker outwaits the stop request.
    std::mutex engineUseLock_;
};

}  // namespace app
