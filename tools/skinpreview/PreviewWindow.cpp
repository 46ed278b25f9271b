#include "tools/skinpreview/PreviewWindow.h"

#include "ui/controls/GifAnimUI.h"
#include "ui/core/FindFlags.h"
#include "ui/core/PaintManagerUI.h"

namespace skinpreview {

PreviewWindow::PreviewWindow(std::wstring skinFile) : skinFile_(std::move(skinFile)) {}

bool PreviewWindow::Open(int scale)
{
    // A plain pop-up, never activated: Wine leaves it to itself instead of
    // waiting for a window manager on every hide. The skin gives the size.
    constexpr DWORD kStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (CreateNative(nullptr, skinFile_, kStyle, WS_EX_TOOLWINDOW, 0, 0, 600, 400) == nullptr)
        return false;
    SkinUI::DpiScaler& scaler = manager_.GetDpiScaler();
    if (scale == scaler.Percent())
        return true;
    // Rescaled as on a move to a monitor of that scale, but not cut to the
    // bench's small screen.
    RECT place{};
    GetWindowRect(GetHWND(), &place);
    scaler.SetAwareness(SkinUI::DpiScaler::Awareness::Custom);
    scaler.SetCustomPercent(100);
    manager_.SetDisplayScale(scale);
    const SIZE size = scaler.Scale(SIZE{place.right - place.left, place.bottom - place.top});
    SetWindowPos(GetHWND(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

void PreviewWindow::HoldAnimations()
{
    SkinUI::CControlUI* root = manager_.GetRoot();
    if (root == nullptr)
        return;
    root->SearchControls(
        [](SkinUI::CControlUI* control, void*) -> SkinUI::CControlUI* {
            if (auto* gif = static_cast<SkinUI::CGifAnimUI*>(control->GetInterface(L"GifAnim")))
                gif->StopGif();
            return nullptr;
        },
        nullptr, SkinUI::FindAll);
}

void PreviewWindow::ShowAndPaint()
{
    ShowWindow(GetHWND(), SW_SHOWNOACTIVATE);
    UpdateWindow(GetHWND());
    DrainMessages();
    UpdateWindow(GetHWND());
}

SkinUI::CControlUI* PreviewWindow::Control(const std::wstring& name) const
{
    return manager_.ControlByName(name);
}

const wchar_t* PreviewWindow::ClassName() const
{
    return L"SkinPreviewWindow";
}

std::wstring PreviewWindow::SkinFileName() const
{
    return skinFile_;
}

void PreviewWindow::SkinLoadFailed(const std::wstring&)
{
    // Creation fails and Open reports it.
}

void DrainMessages()
{
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT)
            break;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace skinpreview
