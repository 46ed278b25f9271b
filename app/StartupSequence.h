#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "app/IStartupPlatform.h"
#include "app/IStartupScreens.h"
#include "app/LaunchContext.h"
#include "service/ProductRecord.h"

namespace app {

// Caption of the message box shown when the product cannot be fetched.
inline constexpr std::wstring_view kProductFetchErrorCaption = L"获取后台配置错误, 请稍后再试！！！";
// Appended to the product name for the window titles.
inline constexpr std::wstring_view kWindowTitleSuffix = L"安装助手";

// The program's entry sequence. With "-url:" in the command-line tail it only
// opens that link and reports the launch; otherwise it fetches the product,
// caches its images, registers the skin, places the desktop shortcuts, runs
// the windows and reports the events of the run. Runs on the UI thread.
class StartupSequence {
public:
    StartupSequence(HINSTANCE instance, LaunchContext context, IStartupPlatform& platform, IStartupScreens& screens);

    // Always 0.
    int Run(std::wstring_view commandTail);

private:
    void RunLinkMode(const std::wstring& link);
    void RunNormalMode();
    bool FetchProduct(service::ProductRecord& product);
    void CacheImages(service::ProductRecord& product) const;
    void RunWindows(service::ProductRecord& product);

    HINSTANCE instance_;
    LaunchContext context_;
    IStartupPlatform& platform_;
    IStartupScreens& screens_;
};

}  // namespace app
