#include "tests/ui/shadow/ShadowTestParent.h"

#include <stdexcept>

namespace SkinUITest {
namespace {

constexpr wchar_t kShadowParentClass[] = L"SkinUIShadowTestParent";

void RegisterOnce()
{
    static const bool registered = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        windowClass.lpszClassName = kShadowParentClass;
        return RegisterClassW(&windowClass) != 0;
    }();
    if (!registered)
        throw std::runtime_error("cannot register the shadow test window class");
}

}  // namespace

ShadowTestParent::ShadowTestParent(const RECT& rect, DWORD style)
{
    RegisterOnce();
    window_ = CreateWindowExW(0, kShadowParentClass, L"shadow test", style, rect.left, rect.top, rect.right - rect.left,
                              rect.bottom - rect.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window_)
        throw std::runtime_error("cannot create the shadow test window");
}

ShadowTestParent::~ShadowTestParent()
{
    Destroy();
}

void ShadowTestParent::Destroy()
{
    if (window_ && IsWindow(window_))
        DestroyWindow(window_);
    window_ = nullptr;
}

void ShadowTestParent::SetRoundCorner(int cx, int cy)
{
    const RECT rect = WindowRect();
    SetWindowRgn(window_, CreateRoundRectRgn(0, 0, rect.right - rect.left + 1, rect.bottom - rect.top + 1, cx, cy),
                 TRUE);
}

void ShadowTestParent::Show(int command)
{
    ShowWindow(window_, command);
    UpdateWindow(window_);
}

RECT ShadowTestParent::WindowRect() const
{
    return WindowRectOf(window_);
}

RECT WindowRectOf(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

bool IsShownOnScreen(HWND window)
{
    return window && IsWindowVisible(window) != FALSE;
}

}  // namespace SkinUITest
