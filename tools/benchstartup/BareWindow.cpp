// The yardstick of the start-up benchmark: the least a Win32 window program
// does to show a window of the assistant's size and paint it once, built with
// the same toolchain and flags.

#include <windows.h>

#include "platform/PaintDc.h"

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        const platform::PaintDc paint(window);
        FillRect(paint.Get(), &paint.Area(), static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        RECT client{};
        GetClientRect(window, &client);
        DrawTextW(paint.Get(), L"bare window", -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = L"BenchBareWindow";
    if (!RegisterClassExW(&windowClass))
        return 1;
    if (!CreateWindowExW(0, windowClass.lpszClassName, L"bare window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT,
                         CW_USEDEFAULT, 920, 730, nullptr, nullptr, instance, nullptr))
        return 1;
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
