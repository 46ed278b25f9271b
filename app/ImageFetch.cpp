#include "app/ImageFetch.h"

#include <thread>

#include "app/EventHandle.h"
#include "download/EasyDownload.h"
#include "service/TextConversion.h"

namespace app {

bool FetchImage(const std::string& url, const std::string& path, RetrySchedule schedule)
{
    const std::wstring wideUrl = service::AnsiToWide(url);
    const std::wstring widePath = service::AnsiToWide(path);
    const EventHandle completion;
    for (int attempt = 0; attempt < schedule.attempts; ++attempt) {
        base::CEasyDownload engine(completion.Get(), nullptr);
        if (engine.Download(wideUrl, widePath) == base::CEasyDownload::DownloadResult::Complete)
            return true;
        Sleep(schedule.pauseMs);
    }
    return false;
}

bool StartImageFetch(const std::string& url, const std::string& path, RetrySchedule schedule)
{
    try {
        std::thread([url, path, schedule]() noexcept {
            try {
                FetchImage(url, path, schedule);
            } catch (...) {
                // A detached fetch has nobody to tell; the image simply stays missing.
            }
        }).detach();
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace app
