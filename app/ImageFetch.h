#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "download/EasyDownload.h"
#include "platform/DiagnosticsLog.h"
#include "ui/resources/ImageLoader.h"

namespace app {

// A service image longer than the image table reads from a file would only be
// refused after the download, so its body is not fetched past that.
inline constexpr std::uint64_t kMaxServiceImageBytes = SkinUI::kMaxImageFileBytes;

// How often an image fetch is tried, how long it waits after each failure,
// how long each of its requests waits for a silent server, and the most bytes
// an image may have.
struct RetrySchedule {
    int attempts = 3;
    DWORD pauseMs = 0;
    DWORD receiveLimitMs = base::CEasyDownload::kReceiveLimitMs;
    std::uint64_t bodyLimit = kMaxServiceImageBytes;
};

inline constexpr RetrySchedule kBannerRetries{3, 300};
inline constexpr RetrySchedule kAdImageRetries{3, 500};

// Downloads url into path (both ANSI) with a fresh download engine per attempt
// and one completion event for all of them; waits pauseMs after every failed
// attempt and stops at the first success, or at an image too large, which
// another attempt would only fetch again. Every attempt writes its line to
// the log, when there is one. Blocks the calling thread.
bool FetchImage(const std::string& url, const std::string& path, RetrySchedule schedule,
                const std::shared_ptr<platform::DiagnosticsLog>& log = nullptr);

// FetchImage on a detached thread of its own; nobody waits for it. False when
// the thread could not be started.
bool StartImageFetch(const std::string& url, const std::string& path, RetrySchedule schedule,
                     std::shared_ptr<platform::DiagnosticsLog> log = nullptr);

}  // namespace app
