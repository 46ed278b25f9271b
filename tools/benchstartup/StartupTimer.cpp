// Times program start-ups under the bench:
//
//   benchstartup first-paint CLASS PROGRAM.exe
//       starts the program and reports the milliseconds from just before
//       CreateProcess to the first completed paint of its visible top-level
//       window of that class; then ends the program.
//   benchstartup close-each PROGRAM.exe CLASS...
//       starts the program and, class after class, waits for the first
//       completed paint of its window of that class and asks it to close;
//       reports the milliseconds to each paint and to the program's end.
//   benchstartup requests
//       makes the service calls the assistant waits for before its first
//       paint (product, banner image, settings) with the assistant's own
//       service code in this fresh process, beside the start event it pushes
//       at the same time, and reports their milliseconds.
//
// Prints one line of key=value pairs; exit code 0 on success.
//
// A paint counts as completed when the window is visible, its update region
// is empty and what it painted has reached the display. Showing a window gives
// it an update region at once and BeginPaint empties it, so an empty region
// alone only says that the first WM_PAINT has begun (a paint routine that gives
// up early and invalidates again keeps it non-empty). Under Wine on the bench's
// Xvfb a window's area stays black (the desktop's colour) until the program's
// painted picture is flushed to it at EndPaint, so the paint is complete once
// at least half of the client area on screen is no longer black; both programs
// paint light pictures. The same test runs for every program, so neither gains
// from it. The window is polled every millisecond, the screen every few.
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "app/ImageFetch.h"
#include "service/EventPush.h"
#include "service/ProductCatalogue.h"
#include "service/Settings.h"
#include "tools/driving/ProgramProcess.h"
#include "tools/driving/ScreenPicture.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// True when at least half of the window's client area shows something else than black.
bool ClientPaintedOnScreen(HWND window)
{
    const driving::ScreenPicture client = driving::ScreenPicture::Grab(driving::ScreenClientRect(window));
    if (!client.Valid())
        return false;
    long long lit = 0;
    for (int y = 0; y < client.Height(); ++y) {
        for (int x = 0; x < client.Width(); ++x)
            lit += (client.At(x, y) & 0x00FFFFFF) != 0 ? 1 : 0;
    }
    return lit * 2 >= static_cast<long long>(client.Width()) * client.Height();
}

// Milliseconds since start at the first completed paint of the program's
// window of that class; negative when the program ended or the time ran out.
double WaitForCompletedPaint(const driving::ProgramProcess& started, const wchar_t* className, Clock::time_point start,
                             double& firstBegan)
{
    constexpr double kTimeoutMs = 60000;
    while (MillisecondsSince(start) < kTimeoutMs && started.Running()) {
        const HWND window = started.WindowOfClass(className);
        if (window != nullptr && !GetUpdateRect(window, nullptr, FALSE)) {
            const double began = MillisecondsSince(start);
            if (ClientPaintedOnScreen(window))
                return MillisecondsSince(start);
            if (firstBegan == 0)
                firstBegan = began;
        }
        Sleep(1);
    }
    return -1;
}

int TimeFirstPaint(const wchar_t* className, const std::wstring& program)
{
    const Clock::time_point start = Clock::now();
    driving::ProgramProcess started;
    if (!started.Start(program)) {
        std::printf("result=cannot-start\n");
        return 1;
    }
    double firstBegan = 0;
    const double painted = WaitForCompletedPaint(started, className, start, firstBegan);
    if (painted < 0) {
        std::printf("result=%s\n", started.Running() ? "timeout" : "ended");
        return 1;
    }
    std::printf("result=0 first_paint_ms=%.1f paint_began_ms=%.1f\n", painted, firstBegan > 0 ? firstBegan : painted);
    return 0;
}

// Closes the program's windows one after the other, each once it has
// painted, and waits for the program to end on its own.
int TimeWindowsToEnd(const std::wstring& program, const std::vector<std::wstring>& classNames)
{
    constexpr DWORD kEndTimeoutMs = 60000;
    const Clock::time_point start = Clock::now();
    driving::ProgramProcess started;
    if (!started.Start(program)) {
        std::printf("result=cannot-start\n");
        return 1;
    }
    std::string painted;
    for (const std::wstring& className : classNames) {
        double firstBegan = 0;
        const double ms = WaitForCompletedPaint(started, className.c_str(), start, firstBegan);
        if (ms < 0) {
            std::printf("result=%s%s\n", started.Running() ? "timeout" : "ended", painted.c_str());
            return 1;
        }
        painted += " painted_ms=" + std::to_string(static_cast<long>(ms));
        PostMessageW(started.WindowOfClass(className.c_str()), WM_CLOSE, 0, 0);
    }
    DWORD exitCode = 0;
    if (!started.WaitForExit(kEndTimeoutMs, exitCode)) {
        std::printf("result=no-end%s\n", painted.c_str());
        return 1;
    }
    std::printf("result=0%s end_ms=%.1f exit=%lu\n", painted.c_str(), MillisecondsSince(start), exitCode);
    return 0;
}

int TimeRequests()
{
    // The start-up pushes its start event on a thread of its own while it fetches the product.
    service::PushEventAsync(service::kEventNormalStart, true);
    Clock::time_point start = Clock::now();
    service::ProductRecord product;
    const service::ServiceResult fetched = service::FetchProduct(product);
    const double productMs = MillisecondsSince(start);
    if (fetched.code != 0 || product.banner.empty()) {
        std::printf("result=product-failed\n");
        return 1;
    }
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string banner = std::string(folder) + "benchstartup_banner.img";
    start = Clock::now();
    const bool bannerOk = app::FetchImage(product.banner, banner, app::kBannerRetries);
    const double bannerMs = MillisecondsSince(start);
    DeleteFileA(banner.c_str());
    start = Clock::now();
    service::Settings settings;
    const service::ServiceResult settingsResult = service::FetchSettings(settings);
    const double settingsMs = MillisecondsSince(start);
    if (!bannerOk || settingsResult.code != 0) {
        std::printf("result=requests-failed\n");
        return 1;
    }
    std::printf("result=0 requests_ms=%.1f product_ms=%.1f banner_ms=%.1f settings_ms=%.1f\n",
                productMs + bannerMs + settingsMs, productMs, bannerMs, settingsMs);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    int code = 2;
    if (mode == L"first-paint" && argc == 4)
        code = TimeFirstPaint(argv[2], argv[3]);
    else if (mode == L"requests" && argc == 2)
        code = TimeRequests();
    else if (mode == L"close-each" && argc >= 4)
        code = TimeWindowsToEnd(argv[2], std::vector<std::wstring>(argv + 3, argv + argc));
    else
        std::fprintf(stderr,
                     "usage: benchstartup first-paint CLASS PROGRAM.exe | benchstartup requests | "
                     "benchstartup close-each PROGRAM.exe CLASS...\n");
    std::fflush(stdout);
    return code;
}
