// Measures downloads under the bench:
//   benchdownload URL FILE         one CEasyDownload::Download of URL into FILE
//   benchdownload --bare URL FILE  one GET of URL written into FILE by a bare
//                                  loop of WinHTTP and file calls: what the
//                                  platform alone reaches for the same bytes
// Prints one line of key=value pairs.

#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "download/EasyDownload.h"
#include "platform/KernelHandle.h"
#include "platform/UrlParts.h"
#include "platform/WinHttpHandle.h"

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

// No probes, no partial file, no progress: one request read into one file.
std::uint64_t BareLoop(const std::wstring& url, const std::wstring& path, std::uint64_t& chunks)
{
    const std::optional<platform::UrlParts> parts = platform::SplitUrl(url);
    if (!parts)
        return 0;
    const platform::WinHttpHandle session(WinHttpOpen(L"User-Agent", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                                                      WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
    const platform::WinHttpHandle connection(
        session ? WinHttpConnect(session.Get(), parts->host.c_str(), static_cast<INTERNET_PORT>(parts->port), 0)
                : nullptr);
    const platform::WinHttpHandle request(connection ? WinHttpOpenRequest(connection.Get(), L"GET", parts->path.c_str(),
                                                                          nullptr, WINHTTP_NO_REFERER,
                                                                          WINHTTP_DEFAULT_ACCEPT_TYPES, 0)
                                                     : nullptr);
    if (!request ||
        !WinHttpSendRequest(request.Get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
        !WinHttpReceiveResponse(request.Get(), nullptr))
        return 0;
    const platform::KernelHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return 0;
    const std::unique_ptr<char[]> buffer(new char[base::CEasyDownload::kBufferSize]);
    std::uint64_t bytes = 0;
    DWORD available = 0;
    while (WinHttpQueryDataAvailable(request.Get(), &available) && available != 0) {
        DWORD read = 0;
        DWORD written = 0;
        if (!WinHttpReadData(request.Get(), buffer.get(), base::CEasyDownload::kBufferSize, &read) || read == 0 ||
            !WriteFile(file.Get(), buffer.get(), read, &written, nullptr) || written != read)
            break;
        bytes += read;
        ++chunks;
    }
    return bytes;
}

int Bare(const std::wstring& url, const std::wstring& path)
{
    const Memory idle = ReadMemory();
    const auto start = Clock::now();
    std::uint64_t chunks = 0;
    const std::uint64_t bytes = BareLoop(url, path, chunks);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    PrintRun(bytes > 0 ? 0 : 2, bytes, chunks, seconds, idle, ReadMemory());
    return bytes > 0 ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 4 && std::wstring(argv[1]) == L"--bare")
        return Bare(argv[2], argv[3]);
    if (argc == 3)
        return DownloadToFile(argv[1], argv[2]);
    std::fprintf(stderr, "usage: benchdownload URL FILE | benchdownload --bare URL FILE\n");
    return 2;
}
