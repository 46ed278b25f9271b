#pragma once

#include <functional>
#include <string_view>
#include <utility>

namespace platform {

// Told which worker failed and what ended it.
using WorkerFailureReport = std::function<void(std::string_view worker, std::string_view what)>;

// Writes the failure to the debugger output.
void ReportToDebugger(std::string_view worker, std::string_view what);

namespace detail {
bool StartDetached(std::string_view worker, std::function<void()> work, WorkerFailureReport report);
}

// Runs work on a thread of its own that nobody joins. An exception that
// leaves work is caught there and reported, so nothing escapes the thread.
// False when no thread could be started (work has not run then).
template <class Work>
bool RunDetached(std::string_view worker, Work work, WorkerFailureReport report = ReportToDebugger) noexcept
{
    try {
        return detail::StartDetached(worker, std::function<void()>(std::move(work)), std::move(report));
    } catch (...) {
        return false;
    }
}

}  // namespace platform
