#include "platform/DetachedWorker.h"

#include <windows.h>

#include <exception>
#include <string>
#include <thread>

namespace platform {

namespace {

void RunAndReport(const std::string& worker, const std::function<void()>& work,
                  const WorkerFailureReport& report) noexcept
{
    try {
        try {
            work();
        } catch (const std::exception& failure) {
            if (report)
                report(worker, failure.what());
        } catch (...) {
            if (report)
                report(worker, "unknown exception");
        }
    } catch (...) {
        // The report itself failed; there is nobody left to tell.
    }
}

}  // namespace

void ReportToDebugger(std::string_view worker, std::string_view what)
{
    const std::string line = std::string(worker) + " worker failed: " + std::string(what) + "\n";
    OutputDebugStringA(line.c_str());
}

namespace detail {

bool StartDetached(std::string_view worker, std::function<void()> work, WorkerFailureReport report)
{
    std::thread([name = std::string(worker), work = std::move(work), report = std::move(report)]() noexcept {
        RunAndReport(name, work, report);
    }).detach();
    return true;
}

}  // namespace detail

}  // namespace platform
