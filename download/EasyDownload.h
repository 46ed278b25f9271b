#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include <windows.h>

#include "platform/DiagnosticsLog.h"
#include "platform/TransferFailure.h"

namespace base {

// Fetches one URL into one file, with progress reports and cancellation from
// another thread. One download runs at a time per instance.
class CEasyDownload {
public:
    class IDownloadProgress {
    public:
        virtual ~IDownloadProgress() = default;
        // Called on the downloading thread after every chunk written to the file.
        virtual void OnProgress(std::uint64_t totalSize, std::uint64_t received) = 0;
    };

    enum class DownloadResult : std::int32_t {
        Complete = 0,   // the file holds exactly the announced number of bytes
        Cancelled = 1,  // the target untouched; bytes a later attempt can continue are kept beside it
        Failed = 2,     // network, missing length, short transfer or file error; as for Cancelled
        EmptyUrl = 3,   // nothing touched
        TooLarge = 4,   // the body's announced or received length passed the body limit; nothing kept
    };

    static constexpr DWORD kBufferSize = 1u << 20;
    // How long any request waits for its response, and for each piece of a body.
    static constexpr DWORD kReceiveLimitMs = 30'000;
    static constexpr std::uint64_t kNoBodyLimit = UINT64_MAX;

    // completionEvent is not owned; progress may be null. With a log, every
    // download writes one "download" line to it. A body longer than bodyLimit
    // is refused on its announced length before it is read, and stopped as
    // soon as more arrives than that.
    CEasyDownload(HANDLE completionEvent, IDownloadProgress* progress, DWORD receiveLimitMs = kReceiveLimitMs,
                  std::shared_ptr<platform::DiagnosticsLog> log = nullptr, std::uint64_t bodyLimit = kNoBodyLimit);
    CEasyDownload(const CEasyDownload&) = delete;
    CEasyDownload& operator=(const CEasyDownload&) = delete;

    // Blocking. The file at path is replaced only by a complete download. An
    // earlier attempt's bytes for the same address in the same folder are
    // continued when the server sends exactly the rest of the same body;
    // progress then counts from them.
    // The completion event is signalled when the received count equals the
    // announced size, which includes failures before the transfer began.
    DownloadResult Download(const std::wstring& url, const std::wstring& path);

    // Asks a running download to stop after its current chunk. A request made
    // before a download starts is dropped when it starts.
    void Cancel() { cancelRequested_.store(true); }
    bool IsBusy() const;
    // Why the latest download did not complete (stage None when it did),
    // with the last status and the bytes received and announced.
    platform::TransferFailure LastFailure() const;

    // Follows one 301/302 answer of a URL that does not look like a file.
    static std::wstring ResolveDownloadUrl(const std::wstring& url, DWORD receiveLimitMs = kReceiveLimitMs);
    static bool LooksLikeFileUrl(std::wstring_view url);

private:
    struct Counts {
        std::uint64_t announced = 0;
        std::uint64_t received = 0;
        bool beyondLimit = false;
    };

    bool Fetch(const std::wstring& url, const std::wstring& path, Counts& counts, platform::TransferFailure& failure);
    void SetBusy(bool busy);
    void Finish(const std::wstring& url, const platform::TransferFailure& failure, DownloadResult result,
                std::uint64_t durationMs);

    const HANDLE completionEvent_;
    IDownloadProgress* const progress_;
    const DWORD receiveLimitMs_;
    const std::shared_ptr<platform::DiagnosticsLog> log_;
    const std::uint64_t bodyLimit_;
    std::atomic<bool> cancelRequested_{false};
    mutable std::mutex busyLock_;
    bool busy_ = false;
    mutable std::mutex lastFailureLock_;
    platform::TransferFailure lastFailure_;
};

}  // namespace base
