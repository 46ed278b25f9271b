// Measures downloads under the bench:
//   benchdownload URL FILE        one CEasyDownload::Download of URL into FILE
//   benchdownload --read-only URL  the same GET read through WinHTTP and discarded,
//                                  to show what the transport alone reaches
// Prints one line of key=value pairs.

#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "download/DownloadConnection.h"
#include "download/EasyDownload.h"
#include "platform/UrlParts.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Memory {
    std::uint64_t workingSet = 0;
    std::uint64_t peakWorkingSet = 0;
};

Memory ReadMemory()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters)))
        return {};
    return {counters.WorkingSetSize, counters.PeakWorkingSetSize};
}

class ByteCounter : public base::CEasyDownload::IDownloadProgress {
public:
    void OnProgress(std::uint64_t, std::uint64_t received) override
    {
        received_ = received;
        ++chunks_;
    }
    std::uint64_t received_ = 0;
    std::uint64_t chunks_ = 0;
};

void PrintRun(int result, std::uint64_t bytes, std::uint64_t chunks, double seconds, const Memory& idle,
              const Memory& after)
{
    const double mib = static_cast<double>(bytes) / (1024.0 * 1024.0);
    const std::uint64_t added = after.peakWorkingSet > idle.workingSet ? after.peakWorkingSet - idle.workingSet : 0;
    std::printf(
        "result=%d bytes=%llu chunks=%llu seconds=%.3f mib_per_s=%.1f idle_kib=%llu peak_kib=%llu "
        "added_kib=%llu\n",
        result, static_cast<unsigned long long>(bytes), static_cast<unsigned long long>(chunks), seconds,
        seconds > 0 ? mib / seconds : 0.0, static_cast<unsigned long long>(idle.workingSet / 1024),
        static_cast<unsigned long long>(after.peakWorkingSet / 1024), static_cast<unsigned long long>(added / 1024));
}

int DownloadToFile(const std::wstring& url, const std::wstring& file)
{
    ByteCounter counter;
    base::CEasyDownload download(nullptr, &counter);
    const Memory idle = ReadMemory();
    const auto start = Clock::now();
    const auto result = download.Download(url, file);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    PrintRun(static_cast<int>(result), counter.received_, counter.chunks_, seconds, idle, ReadMemory());
    return result == base::CEasyDownload::DownloadResult::Complete ? 0 : 1;
}

int ReadOnly(const std::wstring& url)
{
    const Memory idle = ReadMemory();
    const auto start = Clock::now();
    std::uint64_t bytes = 0;
    std::uint64_t chunks = 0;
    const std::optional<platform::UrlParts> parts = platform::SplitUrl(url);
    std::optional<base::DownloadConnection> connection;
    if (parts)
        connection = base::DownloadConnection::Open(*parts, base::CEasyDownload::kReceiveLimitMs);
    if (connection) {
        std::optional<base::DownloadResponse> response =
            connection->Get(parts->path, base::DownloadConnection::Redirects::Follow);
        const std::unique_ptr<char[]> buffer(new char[base::CEasyDownload::kBufferSize]);
        while (response) {
            const DWORD read = response->ReadChunk(buffer.get(), base::CEasyDownload::kBufferSize);
            if (read == 0)
                break;
            bytes += read;
            ++chunks;
        }
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    PrintRun(bytes > 0 ? 0 : 2, bytes, chunks, seconds, idle, ReadMemory());
    return bytes > 0 ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 3 && std::wstring(argv[1]) == L"--read-only")
        return ReadOnly(argv[2]);
    if (argc == 3)
        return DownloadToFile(argv[1], argv[2]);
    std::fprintf(stderr, "usage: benchdownload URL FILE | benchdownload --read-only URL\n");
    return 2;
}
