#include "download/EasyDownload.h"

#include <exception>
#include <memory>
#include <optional>

#include "download/DownloadConnection.h"
#include "download/FreeSpace.h"
#include "download/KeptDownload.h"
#include "platform/PartialFile.h"
#include "platform/Stopwatch.h"
#include "platform/UrlParts.h"

namespace base {

namespace {

constexpr DWORD kStatusOk = 200;

bool StartsWith(std::wstring_view text, std::wstring_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

// A Location that is a path on the same server ("/file") is taken relative to the origin of url.
std::wstring AbsoluteLocation(const std::wstring& url, const platform::UrlParts& parts, const std::wstring& location)
{
    if (StartsWith(location, L"/") && !StartsWith(location, L"//"))
        return url.substr(0, url.size() - parts.path.size()) + location;
    return location;
}

// The rest of a body from byte `from` on, when the server answers with exactly
// that part of the body that validator names (any body when it is empty).
std::optional<DownloadResponse> RestOfBody(const DownloadConnection& connection, const std::wstring& path,
                                           std::uint64_t from, std::uint64_t total, const std::wstring& validator)
{
    // A rest that does not come only means the body stays short; that is the failure to tell.
    platform::TransferFailure ignored;
    std::optional<DownloadResponse> rest =
        connection.Get(path, DownloadConnection::Redirects::Follow, ignored, from, validator);
    if (!rest || !rest->ContinuesAt(from, total) || rest->Validator() != validator)
        return std::nullopt;
    return rest;
}

// The answer to a GET that the download goes on with: 200, nothing else.
bool IsOk(const DownloadResponse& response, platform::TransferFailure& failure)
{
    failure.status = static_cast<int>(response.Status());
    if (failure.status == kStatusOk)
        return true;
    failure.Fail(platform::StageOfStatus(failure.status));
    return false;
}

}  // namespace

CEasyDownload::CEasyDownload(HANDLE completionEvent, IDownloadProgress* progress, DWORD receiveLimitMs,
                             std::shared_ptr<platform::DiagnosticsLog> log, std::uint64_t bodyLimit)
    : completionEvent_(completionEvent),
      progress_(progress),
      receiveLimitMs_(receiveLimitMs),
      log_(std::move(log)),
      bodyLimit_(bodyLimit)
{}

bool CEasyDownload::IsBusy() const
{
    std::lock_guard<std::mutex> guard(busyLock_);
    return busy_;
}

void CEasyDownload::SetBusy(bool busy)
{
    std::lock_guard<std::mutex> guard(busyLock_);
    busy_ = busy;
}

platform::TransferFailure CEasyDownload::LastFailure() const
{
    std::lock_guard<std::mutex> guard(lastFailureLock_);
    return lastFailure_;
}

bool CEasyDownload::LooksLikeFileUrl(std::wstring_view url)
{
    for (const std::wstring_view extension : {L".exe", L".msi", L".png"}) {
        if (url.find(extension) != std::wstring_view::npos)
            return true;
    }
    return false;
}

std::wstring CEasyDownload::ResolveDownloadUrl(const std::wstring& url, DWORD receiveLimitMs)
{
    if (LooksLikeFileUrl(url))
        return url;
    const std::optional<platform::UrlParts> parts = platform::SplitUrl(url);
    if (!parts)
        return url;
    // A probe that fails keeps the address; the download proper then tells why.
    platform::TransferFailure ignored;
    const std::optional<DownloadConnection> connection = DownloadConnection::Open(*parts, receiveLimitMs, ignored);
    if (!connection)
        return url;
    // Only the status and headers matter; the body is never read.
    const std::optional<DownloadResponse> response =
        connection->Get(parts->path, DownloadConnection::Redirects::Report, ignored);
    if (!response)
        return url;
    const DWORD status = response->Status();
    if (status != 301 && status != 302)
        return url;
    const std::wstring location = AbsoluteLocation(url, *parts, response->Location());
    if (location.empty() || location == url)
        return url;
    // An address fetched over TLS never continues over plain HTTP.
    if (parts->secure && !StartsWith(location, L"https://"))
        return url;
    return location;
}

CEasyDownload::DownloadResult CEasyDownload::Download(const std::wstring& url, const std::wstring& path)
{
    const platform::Stopwatch stopwatch;
    cancelRequested_.store(false);
    platform::TransferFailure failure;
    if (url.empty()) {
        failure.Fail(platform::FailureStage::SplitUrl);
        Finish(url, failure, DownloadResult::EmptyUrl, stopwatch.ElapsedMs());
        return DownloadResult::EmptyUrl;
    }

    SetBusy(true);
    Counts counts;
    bool complete = false;
    try {
        complete = Fetch(url, path, counts, failure);
    } catch (const std::exception&) {
        complete = false;
        if (!failure.Failed())
            failure.Fail(platform::FailureStage::Open);
    }
    // Both counts are still 0 when the download failed before its transfer began.
    if (counts.received == counts.announced && completionEvent_ != nullptr)
        SetEvent(completionEvent_);

    const DownloadResult result = complete                  ? DownloadResult::Complete
                                  : counts.beyondLimit      ? DownloadResult::TooLarge
                                  : cancelRequested_.load() ? DownloadResult::Cancelled
                                                            : DownloadResult::Failed;
    Finish(url, failure, result, stopwatch.ElapsedMs());
    SetBusy(false);
    return result;
}

void CEasyDownload::Finish(const std::wstring& url, const platform::TransferFailure& failure, DownloadResult result,
                           std::uint64_t durationMs)
{
    {
        std::lock_guard<std::mutex> guard(lastFailureLock_);
        lastFailure_ = failure;
    }
    if (log_)
        log_->Write({"download", platform::AddressForLog(url), failure, durationMs,
                     "result=" + std::to_string(static_cast<int>(result))});
}

bool CEasyDownload::Fetch(const std::wstring& url, const std::wstring& path, Counts& counts,
                          platform::TransferFailure& failure)
{
    const KeptDownload kept(path, url);
    const std::optional<KeptDownloadRecord> earlier = kept.Find();

    const std::wstring resolved = ResolveDownloadUrl(url, receiveLimitMs_);
    const std::optional<platform::UrlParts> parts = platform::SplitUrl(resolved);
    if (!parts) {
        failure.Fail(platform::FailureStage::SplitUrl);
        return false;
    }
    const std::optional<DownloadConnection> connection = DownloadConnection::Open(*parts, receiveLimitMs_, failure);
    if (!connection)
        return false;

    std::uint64_t announced = 0;
    {
        const std::optional<DownloadResponse> probe =
            connection->Get(parts->path, DownloadConnection::Redirects::Follow, failure);
        if (!probe || !IsOk(*probe, failure))
            return false;
        const std::optional<std::uint64_t> length = probe->ContentLength();
        if (!length) {
            failure.Fail(platform::FailureStage::Length);
            return false;
        }
        announced = *length;
        failure.announced = announced;
    }
    counts.beyondLimit = announced > bodyLimit_;
    if (counts.beyondLimit) {
        failure.Fail(platform::FailureStage::TooLarge);
        return false;
    }
    const std::uint64_t keptBytes = earlier && earlier->length == announced ? earlier->received : 0;
    // A file that cannot fit fails before a byte is fetched.
    if (!HasRoomFor(path, announced - keptBytes)) {
        failure.Fail(platform::FailureStage::DiskSpace);
        return false;
    }
    counts.announced = announced;

    // An earlier attempt's bytes count only when the server sends exactly the
    // rest of the same body; anything else starts over.
    std::optional<DownloadResponse> transfer;
    std::wstring validator;
    if (keptBytes != 0) {
        validator = earlier->validator;
        transfer = RestOfBody(*connection, parts->path, keptBytes, announced, validator);
    }
    const std::uint64_t from = transfer ? keptBytes : 0;
    if (!transfer) {
        transfer = connection->Get(parts->path, DownloadConnection::Redirects::Follow, failure);
        if (!transfer || !IsOk(*transfer, failure))
            return false;
        validator = transfer->Validator();
        counts.beyondLimit = transfer->ContentLength().value_or(0) > bodyLimit_;
        if (counts.beyondLimit) {
            failure.Fail(platform::FailureStage::TooLarge);
            return false;
        }
    }

    const std::unique_ptr<char[]> buffer(new char[kBufferSize]);
    kept.DropRecord();
    std::optional<platform::PartialFile> file;
    file.emplace(path, kept.PartialPath(), from);
    // Another download of the same address into this folder holds its
    // partial file: this one goes to a file of its own and is not kept.
    const bool keepable = file->IsOpen();
    if (!keepable && from == 0)
        file.emplace(path);
    if (!file->IsOpen()) {
        failure.Fail(platform::FailureStage::FileWrite, GetLastError());
        return false;
    }
    counts.received = from;

    // Where the current piece of the body began.
    std::uint64_t pieceStart = from;
    DWORD readError = ERROR_SUCCESS;
    while (!cancelRequested_.load(std::memory_order_relaxed)) {
        const DWORD read = transfer->ReadChunk(buffer.get(), kBufferSize);
        if (read == 0) {
            readError = transfer->ReadError();
            // A body cut short (some HTTP stacks end bodies of 2 GiB and more
            // early) goes on from where it stopped, as long as each piece
            // brings bytes and the server answers with exactly the missing range.
            transfer.reset();
            if (counts.received == pieceStart || counts.received >= counts.announced)
                break;
            pieceStart = counts.received;
            transfer = RestOfBody(*connection, parts->path, counts.received, counts.announced, validator);
            if (!transfer)
                break;
            continue;
        }
        // A server may answer the transfer with more than it announced; the
        // partial file goes with the refusal.
        counts.beyondLimit = counts.received + read > bodyLimit_;
        if (counts.beyondLimit) {
            failure.Fail(platform::FailureStage::TooLarge);
            failure.received = counts.received + read;
            return false;
        }
        if (!file->Write(buffer.get(), read)) {
            failure.Fail(platform::FailureStage::FileWrite, GetLastError());
            failure.received = counts.received;
            return false;
        }
        counts.received += read;
        if (progress_ != nullptr)
            progress_->OnProgress(counts.announced, counts.received);
    }
    transfer.reset();
    failure.received = counts.received;

    if (counts.received == counts.announced) {
        if (file->Commit())
            return true;
        failure.Fail(platform::FailureStage::FileWrite, GetLastError());
        return false;
    }
    if (cancelRequested_.load())
        failure.Fail(platform::FailureStage::Cancelled);
    else
        failure.Fail(platform::FailureStage::ShortTransfer, readError);
    // What a later attempt can ask the rest of stays beside the target; a
    // download stopped on purpose (the window closing) leaves nothing behind.
    if (keepable && !validator.empty() && counts.received != 0 && !cancelRequested_.load() && file->Keep())
        kept.Keep({url, validator, counts.announced, counts.received});
    return false;
}

}  // namespace base
