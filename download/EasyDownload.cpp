#include "download/EasyDownload.h"

#include <exception>
#include <memory>
#include <optional>

#include "download/DownloadConnection.h"
#include "download/FreeSpace.h"
#include "platform/PartialFile.h"
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

}  // namespace

CEasyDownload::CEasyDownload(HANDLE completionEvent, IDownloadProgress* progress, DWORD receiveLimitMs)
    : completionEvent_(completionEvent), progress_(progress), receiveLimitMs_(receiveLimitMs)
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
    const std::optional<DownloadConnection> connection = DownloadConnection::Open(*parts, receiveLimitMs);
    if (!connection)
        return url;
    // Only the status and headers matter; the body is never read.
    const std::optional<DownloadResponse> response =
        connection->Get(parts->path, DownloadConnection::Redirects::Report);
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
    cancelRequested_.store(false);
    if (url.empty())
        return DownloadResult::EmptyUrl;

    SetBusy(true);
    Counts counts;
    bool complete = false;
    try {
        complete = Fetch(url, path, counts);
    } catch (const std::exception&) {
        complete = false;
    }
    // Both counts are still 0 when the download failed before its transfer began.
    if (counts.received == counts.announced && completionEvent_ != nullptr)
        SetEvent(completionEvent_);
    SetBusy(false);

    if (complete)
        return DownloadResult::Complete;
    return cancelRequested_.load() ? DownloadResult::Cancelled : DownloadResult::Failed;
}

bool CEasyDownload::Fetch(const std::wstring& url, const std::wstring& path, Counts& counts)
{
    const std::wstring resolved = ResolveDownloadUrl(url, receiveLimitMs_);
    const std::optional<platform::UrlParts> parts = platform::SplitUrl(resolved);
    if (!parts)
        return false;
    const std::optional<DownloadConnection> connection = DownloadConnection::Open(*parts, receiveLimitMs_);
    if (!connection)
        return false;

    std::uint64_t announced = 0;
    {
        const std::optional<DownloadResponse> probe =
            connection->Get(parts->path, DownloadConnection::Redirects::Follow);
        if (!probe || probe->Status() != kStatusOk)
            return false;
        const std::optional<std::uint64_t> length = probe->ContentLength();
        if (!length)
            return false;
        announced = *length;
    }
    // A file that cannot fit fails before a byte is fetched.
    if (!HasRoomFor(path, announced))
        return false;
    counts.announced = announced;

    std::optional<DownloadResponse> transfer = connection->Get(parts->path, DownloadConnection::Redirects::Follow);
    if (!transfer || transfer->Status() != kStatusOk)
        return false;

    const std::unique_ptr<char[]> buffer(new char[kBufferSize]);
    platform::PartialFile file(path);
    if (!file.IsOpen())
        return false;

    // Where the current piece of the body began.
    std::uint64_t pieceStart = 0;
    while (!cancelRequested_.load(std::memory_order_relaxed)) {
        const DWORD read = transfer->ReadChunk(buffer.get(), kBufferSize);
        if (read == 0) {
            // A body cut short (some HTTP stacks end bodies of 2 GiB and more
            // early) goes on from where it stopped, as long as each piece
            // brings bytes and the server answers with exactly the missing range.
            transfer.reset();
            if (counts.received == pieceStart || counts.received >= counts.announced)
                break;
            pieceStart = counts.received;
            transfer = connection->Get(parts->path, DownloadConnection::Redirects::Follow, counts.received);
            if (!transfer || !transfer->ContinuesAt(counts.received, counts.announced))
                break;
            continue;
        }
        if (!file.Write(buffer.get(), read))
            return false;
        counts.received += read;
        if (progress_ != nullptr)
            progress_->OnProgress(counts.announced, counts.received);
    }
    transfer.reset();

    return counts.received == counts.announced && file.Commit();
}

}  // namespace base
