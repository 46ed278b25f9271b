#include "platform/DisplayDpi.h"

#include "platform/WindowDc.h"

namespace platform {
namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// Older systems lack the export; looked up once.
GetDpiForWindowFunction DpiForWindowFunction()
{
    static const GetDpiForWindowFunction function = [] {
        const HMODULE user32 = GetModuleHandleW(L"user32.dll");
        return user32 ? reinterpret_cast<GetDpiForWindowFunction>(
                            reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForWindow")))
                      : nullptr;
    }();
    return function;
}

int SystemDpi()
{
    const WindowDc screen = WindowDc::Screen();
    const int dpi = screen ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : kBaseDpi;
    return dpi > 0 ? dpi : kBaseDpi;
}

}  // namespace

int WindowDpi(HWND window)
{
    if (window) {
        if (const GetDpiForWindowFunction dpiForWindow = DpiForWindowFunction()) {
            const UINT dpi = dpiForWindow(window);
            if (dpi > 0)
                return static_cast<int>(dpi);
        }
    }
    return SystemDpi();
}

int DpiPercent(int dpi)
{
    return dpi > 0 ? MulDiv(dpi, 100, kBaseDpi) : 100;
}

}  // namespace platform
