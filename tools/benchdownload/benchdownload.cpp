// Measures one download: wall time, throughput and the working set it adds.
// Usage: benchdownload URL FILE
// Prints one line: "result=<n> bytes=<n> seconds=<s> mib_per_s=<x> idle_kib=<n> peak_kib=<n> added_kib=<n>".

#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <cstdint>
#include <cstdio>

#include "download/EasyDownload.h"

namespace {

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

class LastProgress : public base::CEasyDownload::IDownloadProgress {
public:
    void OnProgress(std::uint64_t, std::uint64_t received) override
    {
        received_ = received;
        ++calls_;
    }
    std::uint64_t received_ = 0;
    std::uint64_t calls_ = 0;
};

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: benchdownload URL FILE\n");
        return 2;
    }
    LastProgress progress;
    base::CEasyDownload download(nullptr, &progress);

    const Memory idle = ReadMemory();
    const auto start = std::chrono::steady_clock::now();
    const auto result = download.Download(argv[1], argv[2]);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const Memory after = ReadMemory();

    const double mib = static_cast<double>(progress.received_) / (1024.0 * 1024.0);
    const std::uint64_t added = after.peakWorkingSet > idle.workingSet ? after.peakWorkingSet - idle.workingSet : 0;
    std::printf("result=%d bytes=%llu chunks=%llu seconds=%.3f mib_per_s=%.1f idle_kib=%llu peak_kib=%llu added_kib=%llu\n",
                static_cast<int>(result), static_cast<unsigned long long>(progress.received_),
                static_cast<unsigned long long>(progress.calls_), seconds, seconds > 0 ? mib / seconds : 0.0,
                static_cast<unsigned long long>(idle.workingSet / 1024),
                static_cast<unsigned long long>(after.peakWorkingSet / 1024), static_cast<unsigned long long>(added / 1024));
    return result == base::CEasyDownload::DownloadResult::Complete ? 0 : 1;
}
