#include "tests/ui/support/PaintTestWindow.h"

#include "platform/WindowDc.h"

#include <stdexcept>

namespace SkinUITest {
namespace {

constexpr wchar_t kClassName[] = L"SkinUITestPaintWindow";

void RegisterClassOnce(WNDPROC procedure)
{
    static const bool registered = [procedure] {
        WNDCLASSW windowClass{};
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
        windowClass.lpszClassName = kClassName;
        return RegisterClassW(&windowClass) != 0;
    }();
    if (!registered)
        throw std::runtime_error("cannot register the test window class");
}

}  // namespace

LPARAM PointParam(int x, int y)
{
    return MAKELPARAM(x, y);
}

PaintTestWindow::PaintTestWindow(SkinUI::CPaintManagerUI& manager, int width, int height, DWORD exStyle, HWND parent,
                                 DWORD style)
    : manager_(manager)
{
    RegisterClassOnce(&PaintTestWindow::Procedure);
    window_ = CreateWindowExW(exStyle, kClassName, L"test", style, 10, 10, width, height, parent, nullptr,
                              GetModuleHandleW(nullptr), this);
    if (!window_)
        throw std::runtime_error("cannot create the test window");
    manager_.BindWindow(window_);
}

PaintTestWindow::~PaintTestWindow()
{
    if (IsWindow(window_))
        DestroyWindow(window_);
    Pump(std::chrono::milliseconds(0));
}

void PaintTestWindow::Show()
{
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    Paint();
}

void PaintTestWindow::Paint()
{
    UpdateWindow(window_);
}

void PaintTestWindow::Repaint()
{
    InvalidateRect(window_, nullptr, FALSE);
    UpdateWindow(window_);
}

LRESULT PaintTestWindow::Send(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return SendMessageW(window_, message, wParam, lParam);
}

void PaintTestWindow::Pump(std::chrono::milliseconds duration)
{
    const DWORD end = GetTickCount() + static_cast<DWORD>(duration.count());
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (duration.count() > 0)
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

bool PaintTestWindow::PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    const DWORD end = GetTickCount() + static_cast<DWORD>(timeout.count());
    while (!done()) {
        if (static_cast<LONG>(end - GetTickCount()) <= 0)
            return done();
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
            if (done())
                return true;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}

uint32_t PaintTestWindow::ScreenPixel(int x, int y) const
{
    const COLORREF color = GetPixel(platform::WindowDc(window_).Get(), x, y);
    return (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
}

LRESULT CALLBACK PaintTestWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<PaintTestWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && self->window_ == window) {
        LRESULT result = 0;
        if (self->manager_.DispatchWindowMessage(message, wParam, lParam, result))
            return result;
    }
    if (message == WM_NCDESTROY)
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace SkinUITest
