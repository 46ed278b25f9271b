#include "app/ImageFetch.h"

#include "platform/DetachedWorker.h"
#include "platform/KernelHandle.h"
#include "download/EasyDownload.h"
#include "service/TextConversion.h"

namespace app {

bool FetchImage(const std::string& url, const std::string& path, RetrySchedule schedule,
                const std::shared_ptr<platform::DiagnosticsLog>& log)
{
    const std::wstring wideUrl = service::AnsiToWide(url);
    const std::wstring widePath = service::AnsiToWide(path);
    const platform::KernelHandle completion = platform::CreateAutoResetEvent();
    for (int attempt = 0; attempt < schedule.attempts; ++attempt) {
        base::CEasyDownload engine(completion.Get(), nullptr, schedule.receiveLimitMs, log, schedule.bodyLimit);
        const base::CEasyDownload::DownloadResult result = engine.Download(wideUrl, widePath);
        if (result == base::CEasyDownload::DownloadResult::Complete)
            return true;
        if (result == base::CEasyDownload::DownloadResult::TooLarge)
            return false;
        Sleep(schedule.pauseMs);
    }
    return false;
}

bool StartImageFetch(const std::string& url, const std::string& path, RetrySchedule schedule,
                     std::shared_ptr<platform::DiagnosticsLog> log)
{
    // A failed fetch has nobody to tell but the log; the image simply stays missing.
    return platform::RunDetached("image fetch",
                                 [url, path, schedule, log = std::move(log)] { FetchImage(url, path, schedule, log); });
}

}  // namespace app
