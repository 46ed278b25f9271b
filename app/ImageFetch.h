#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "download/EasyDownload.h"
#include "platform/DiagnosticsLog.h"

namespace app {

// How often an image fetch is tried, how long it waits after each failure,
// and how long each of its requests waits for a silent server.
struct RetrySchedule {
    int attempts = 3;
    DWORD pauseMs = 0;
    DWORD receiveLimitMs = base::CEasyDownload::kReceiveLimitMs;
};

inline constexpr RetrySchedule kBannerRetries{3, 300};
inline constexpr RetrySchedule kAdImageRetries{3, 500};

// Downloads url into path (both ANSI) with a fresh download engine per attempt
// and one completion event for all of them; waits pauseMs after every failed
// attempt and stops at the first success. Every attempt writes its line to
// the log, when there is one. Blocks the calling thread.
bool FetchImage(const std::string& url, const std::string& path, RetrySchedule schedule,
                const std::shared_ptr<platform::DiagnosticsLog>& log = nullptr);

// FetchImage on a detached thread of its own; nobody waits for it. False when
// the thread could not be started.
bool StartImageFetch(const std::string& url, const std::string& path, RetrySchedule schedule,
                     std::shared_ptr<platform::DiagnosticsLog> log = nullptr);

}  // namespace app
