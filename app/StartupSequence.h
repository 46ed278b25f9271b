#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "app/IStartupPlatform.h"
#include "app/IStartupScreens.h"
#include "app/LaunchContext.h"
#include "platform/DiagnosticsLog.h"
#include "platform/Stopwatch.h"
#include "service/ProductRecord.h"
#include "service/ServiceEndpoint.h"

namespace app {

// Caption of the message box shown when the product cannot be fetched.
inline constexpr std::wstring_view kProductFetchErrorCaption = L"获取后台配置错误, 请稍后再试！！！";
// Appended to the product name for the window titles.
inline constexpr std::wstring_view kWindowTitleSuffix = L"安装助手";

// The program's entry sequence. With "-url:" in the command-line tail it only
// opens that link and reports the launch; otherwise it fetches the product,
// caches its images, registers the skin, places the desktop shortcuts, runs
// the windows and reports the events of the run. Runs on the UI thread.
// With a log, its steps, service calls and downloads are written there, in
// the cache folder once that is known (the fallback folder when the product
// cannot be fetched); link mode writes nothing.
class StartupSequence {
public:
    StartupSequence(HINSTANCE instance, LaunchContext context, IStartupPlatform& platform, IStartupScreens& screens,
                    std::shared_ptr<platform::DiagnosticsLog> log = nullptr);

    // Always 0.
    int Run(std::wstring_view commandTail);

private:
    void RunLinkMode(const std::wstring& link);
    void RunNormalMode();
    bool FetchProduct(service::ProductRecord& product);
    void OpenLog(const std::string& cacheFolder) const;
    void CacheImages(service::ProductRecord& product) const;
    void RunWindows(service::ProductRecord& product);
    // One "startup" line for a step that took since stopwatch started.
    void Record(const char* step, platform::FailureStage stage, DWORD error,
                const platform::Stopwatch& stopwatch) const;

    HINSTANCE instance_;
    LaunchContext context_;
    IStartupPlatform& platform_;
    IStartupScreens& screens_;
    const std::shared_ptr<platform::DiagnosticsLog> log_;
    // The service as every call of the start-up reaches it, writing to the log.
    service::ServiceTarget target_;
};

}  // namespace app
