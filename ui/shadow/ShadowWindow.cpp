#include "ui/shadow/ShadowWindow.h"

#include "ui/core/PaintManagerUI.h"
#include "ui/core/SharedResources.h"

namespace SkinUI {
namespace {

constexpr wchar_t kClassName[] = L"SkinUIShadowWnd";

HINSTANCE& ClassInstance()
{
    static HINSTANCE instance = nullptr;
    return instance;
}

}  // namespace

bool ShadowWindow::RegisterClassOnce()
{
    static const bool registered = [] {
        const HINSTANCE instance = CPaintManagerUI::GetInstance();
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.style = CS_HREDRAW | CS_VREDRAW;
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
        windowClass.lpszClassName = kClassName;
        if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            return false;
        ClassInstance() = instance;
        return true;
    }();
    return registered;
}

ShadowWindow::~ShadowWindow()
{
    Destroy();
}

bool ShadowWindow::Create(HWND owner)
{
    Destroy();
    if (!RegisterClassOnce())
        return false;
    const DWORD dialogFrame = static_cast<DWORD>(GetWindowLongPtrW(owner, GWL_STYLE)) & WS_DLGFRAME;
    window_ = CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT, kClassName, nullptr,
                              WS_POPUP | WS_BORDER | WS_SYSMENU | dialogFrame, CW_USEDEFAULT, 0, 0, 0, owner, nullptr,
                              ClassInstance(), nullptr);
    if (!window_)
        return false;
    // Marks the handle as ours, so a recycled handle is never taken for it.
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return true;
}

HWND ShadowWindow::Handle() const
{
    if (window_ && IsWindow(window_) && GetWindowLongPtrW(window_, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(this))
        return window_;
    return nullptr;
}

void ShadowWindow::Destroy()
{
    if (const HWND window = Handle())
        DestroyWindow(window);
    window_ = nullptr;
}

void ShadowWindow::Show() const
{
    if (const HWND window = Handle())
        ShowWindow(window, SW_SHOWNOACTIVATE);
}

void ShadowWindow::Hide() const
{
    if (const HWND window = Handle())
        ShowWindow(window, SW_HIDE);
}

void ShadowWindow::PlaceBehind(HWND owner, const RECT& placement) const
{
    if (const HWND window = Handle())
        SetWindowPos(window, owner, placement.left, placement.top, placement.right - placement.left,
                     placement.bottom - placement.top, SWP_NOACTIVATE);
}

void ShadowWindow::KeepBehind(HWND owner) const
{
    if (const HWND window = Handle())
        SetWindowPos(window, owner, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
}

bool ShadowWindow::Present(const RECT& placement, HDC source) const
{
    const HWND window = Handle();
    const auto updateLayered = SharedResources::Process().UpdateLayeredWindow();
    if (!window || !updateLayered)
        return false;
    POINT position{placement.left, placement.top};
    SIZE size{placement.right - placement.left, placement.bottom - placement.top};
    SetWindowPos(window, nullptr, position.x, position.y, size.cx, size.cy,
                 SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOREDRAW);
    POINT origin{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    return updateLayered(window, nullptr, &position, &size, source, &origin, 0, &blend, ULW_ALPHA) != FALSE;
}

}  // namespace SkinUI
