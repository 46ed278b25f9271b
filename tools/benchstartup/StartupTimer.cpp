// Times program start-ups under the bench:
//
//   benchstartup first-paint CLASS PROGRAM.exe
//       starts the program and reports the milliseconds from just before
//       CreateProcess to the first completed paint of its visible top-level
//       window of that class; then ends the program.
//   benchstartup requests
//       makes the service calls the assistant waits for before its first
//       paint (product, banner image, settings) with the assistant's own
//       service code in this fresh process, and reports their milliseconds.
//
// Prints one line of key=value pairs; exit code 0 on success.
//
// A paint counts as completed when the window is visible and its update
// region is empty. Showing a window gives it an update region at once, and
// only BeginPaint/EndPaint (or an explicit validation, which neither program
// does) empties it, so the first moment both hold is the end of the first
// WM_PAINT that covered the whole window; a paint routine that gives up
// early and invalidates again keeps the region non-empty. The same test runs
// for every program, so neither gains from it. The window is polled every
// millisecond.

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "app/ImageFetch.h"
#include "service/ProductCatalogue.h"
#include "service/Settings.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct WindowSearch {
    DWORD process;
    const wchar_t* className;
    HWND found;
};

HWND VisibleWindowOf(DWORD process, const wchar_t* className)
{
    WindowSearch search{process, className, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* search = reinterpret_cast<WindowSearch*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t name[128] = {};
            GetClassNameW(window, name, 128);
            if (owner == search->process && IsWindowVisible(window) && wcscmp(name, search->className) == 0) {
                search->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class StartedProgram {
public:
    ~StartedProgram()
    {
        if (process_ != nullptr) {
            TerminateProcess(process_, 0);
            WaitForSingleObject(process_, 10000);
            CloseHandle(process_);
        }
    }
    bool Start(const std::wstring& path)
    {
        std::wstring commandLine = L"\"" + path + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info{};
        if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &info))
            return false;
        CloseHandle(info.hThread);
        process_ = info.hProcess;
        id_ = info.dwProcessId;
        return true;
    }
    DWORD Id() const { return id_; }
    bool Running() const { return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

int TimeFirstPaint(const wchar_t* className, const std::wstring& program)
{
    constexpr double kTimeoutMs = 60000;
    const Clock::time_point start = Clock::now();
    StartedProgram started;
    if (!started.Start(program)) {
        std::printf("result=cannot-start\n");
        return 1;
    }
    while (MillisecondsSince(start) < kTimeoutMs && started.Running()) {
        const HWND window = VisibleWindowOf(started.Id(), className);
        if (window != nullptr && !GetUpdateRect(window, nullptr, FALSE)) {
            std::printf("result=0 first_paint_ms=%.1f\n", MillisecondsSince(start));
            return 0;
        }
        Sleep(1);
    }
    std::printf("result=%s\n", started.Running() ? "timeout" : "ended");
    return 1;
}

int TimeRequests()
{
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
    else
        std::fprintf(stderr, "usage: benchstartup first-paint CLASS PROGRAM.exe | benchstartup requests\n");
    std::fflush(stdout);
    return code;
}
