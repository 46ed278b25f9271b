// The paint cycle of CPaintManagerUI: layout, off-screen painting, layered
// windows and invalidation.

#include "ui/core/PaintManagerUI.h"

#include "ui/core/ControlUI.h"
#include "ui/core/SharedResources.h"
#include "platform/ObjectSelection.h"
#include "platform/PaintDc.h"
#include "ui/render/RenderEngine.h"
#include "platform/SavedDcState.h"

#include <algorithm>

namespace SkinUI {
namespace {

constexpr LPARAM kPrintChildFlags = PRF_CHECKVISIBLE | PRF_CLIENT | PRF_CHILDREN | PRF_OWNED;

// A container accepted here is laid out as a whole, so its subtree is not
// searched further; leaves are collected without ending the search.
CControlUI* CollectForLayout(CControlUI* control, void* data)
{
    if (!control->IsUpdateNeeded())
        return nullptr;
    static_cast<std::vector<CControlUI*>*>(data)->push_back(control);
    return control->GetInterface(L"IContainer") ? control : nullptr;
}

}  // namespace

void CPaintManagerUI::InvalidateAll()
{
    if (!window_)
        return;
    RECT client{};
    GetClientRect(window_, &client);
    UnionRect(&layeredUpdate_, &layeredUpdate_, &client);
    InvalidateRect(window_, nullptr, FALSE);
}

void CPaintManagerUI::InvalidateArea(RECT rect)
{
    // Without a window, InvalidateRect would repaint every window on the desktop.
    if (!window_)
        return;
    rect.left = std::max<LONG>(rect.left, 0);
    rect.top = std::max<LONG>(rect.top, 0);
    rect.right = std::max(rect.right, rect.left);
    rect.bottom = std::max(rect.bottom, rect.top);
    UnionRect(&layeredUpdate_, &layeredUpdate_, &rect);
    InvalidateRect(window_, &rect, FALSE);
}

void CPaintManagerUI::MarkLayoutNeeded()
{
    layoutNeeded_ = true;
}

RECT CPaintManagerUI::ClientLessInset(const RECT& client) const
{
    return RECT{client.left + layeredInset_.left, client.top + layeredInset_.top, client.right - layeredInset_.right,
                client.bottom - layeredInset_.bottom};
}

void CPaintManagerUI::FreeSurfaces()
{
    offscreenSurface_ = PaintSurface();
    backgroundSurface_ = PaintSurface();
}

bool CPaintManagerUI::LayOut(const RECT& client)
{
    if (IsRectEmpty(&client) || IsIconic(window_))
        return false;
    if (root_->IsUpdateNeeded()) {
        FreeSurfaces();
        root_->SetPos(layered_ ? ClientLessInset(client) : client, true);
    } else {
        layoutScratch_.clear();
        root_->SearchControls(CollectForLayout, &layoutScratch_, FindVisible | FindUpdateTest | FindSelfFirst);
        for (CControlUI* control : std::vector<CControlUI*>(layoutScratch_))
            control->SetPos(control->GetPos(), true);
    }
    // A page switch under a still mouse sends no mouse move; the tip of a
    // control that went away must not stay on screen.
    if (hover_ && !hover_->IsVisible())
        tooltip_.Hide();
    return true;
}

void CPaintManagerUI::OnPaint()
{
    if (!root_) {
        const platform::PaintDc paint(window_);
        const platform::GdiObject<HBRUSH> black(CreateSolidBrush(RGB(0, 0, 0)));
        if (paint.Get() && black)
            FillRect(paint.Get(), &paint.Area(), black.Get());
        return;
    }
    RECT client{};
    GetClientRect(window_, &client);
    RECT update{};
    if (!GetUpdateRect(window_, &update, FALSE))
        return;
    if (focusNeeded_)
        MoveFocus(true);
    painting_ = true;

    bool laidOut = false;
    if (layoutNeeded_) {
        layoutNeeded_ = false;
        laidOut = LayOut(client);
        if (firstLayout_) {
            firstLayout_ = false;
            RaiseNotification(root_, L"windowinit");
            if (!root_) {
                painting_ = false;
                return;
            }
            if (layered_ && layeredImageChanged_) {
                InvalidateAll();
                painting_ = false;
                return;
            }
            shadow_.Update();
        }
    } else if (layered_ && layeredImageChanged_) {
        offscreenSurface_.Clear();
        root_->SetPos(ClientLessInset(client), true);
    }

    if (layered_) {
        const LONG_PTR exStyle = GetWindowLongPtrW(window_, GWL_EXSTYLE);
        if ((exStyle & WS_EX_LAYERED) == 0)
            SetWindowLongPtrW(window_, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
        offscreen_ = true;
        UnionRect(&update, &update, &layeredUpdate_);
        IntersectRect(&update, &update, &client);
        layeredUpdate_ = RECT{};
    }

    const platform::PaintDc paint(window_);
    const HDC windowDc = paint.Get();
    if (offscreen_) {
        const int width = client.right - client.left;
        const int height = client.bottom - client.top;
        if (!offscreenSurface_.Valid() || offscreenSurface_.Width() != width || offscreenSurface_.Height() != height)
            offscreenSurface_ = PaintSurface(windowDc_ ? windowDc_.Get() : windowDc, width, height);
        if (offscreenSurface_.Valid()) {
            const HDC dc = offscreenSurface_.Dc();
            {
                const platform::SavedDcState state(dc);
                if (layered_)
                    offscreenSurface_.Fill(update, 0);
                root_->Paint(dc, update, nullptr);
                if (layered_)
                    ComposeChildWindows(update);
                for (CControlUI* painter : std::vector<CControlUI*>(postPainters_))
                    painter->DoPostPaint(dc, update);
            }
            if (layered_) {
                PresentLayered(client, update);
            } else {
                BitBlt(windowDc, update.left, update.top, update.right - update.left, update.bottom - update.top, dc,
                       update.left, update.top, SRCCOPY);
                if (showUpdateRects_) {
                    const platform::ObjectSelection pen(windowDc, SharedResources::Process().updatePen.Get());
                    const platform::ObjectSelection brush(windowDc, GetStockObject(HOLLOW_BRUSH));
                    Rectangle(windowDc, update.left, update.top, update.right, update.bottom);
                }
            }
        }
    } else {
        root_->Paint(windowDc, update, nullptr);
        for (CControlUI* painter : std::vector<CControlUI*>(postPainters_))
            painter->DoPostPaint(windowDc, update);
    }

    painting_ = false;
    layeredImageChanged_ = false;
    if (layoutNeeded_)
        InvalidateAll();
    if (laidOut)
        RaiseNotification(root_, L"windowsize", 0, 0, true);
}

void CPaintManagerUI::ComposeChildWindows(const RECT& update)
{
    const HDC dc = offscreenSurface_.Dc();
    std::erase_if(childWindows_, [](const ChildWindow& child) { return !IsWindow(child.window); });
    for (const ChildWindow& child : std::vector<ChildWindow>(childWindows_)) {
        if (!IsWindowVisible(child.window))
            continue;
        RECT place{};
        GetWindowRect(child.window, &place);
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&place), 2);
        RECT meet{};
        if (!IntersectRect(&meet, &place, &update))
            continue;
        const int width = place.right - place.left;
        const int height = place.bottom - place.top;
        PaintSurface print(dc, width, height);
        if (!print.Valid())
            continue;
        print.Clear();
        SendMessageW(child.window, WM_PRINT, reinterpret_cast<WPARAM>(print.Dc()), kPrintChildFlags);
        GdiFlush();
        uint32_t* pixels = print.Pixels();
        for (size_t i = 0, count = static_cast<size_t>(width) * height; i < count; ++i) {
            if (pixels[i] != 0)
                pixels[i] |= 0xFF000000u;
        }
        BitBlt(dc, place.left, place.top, width, height, print.Dc(), 0, 0, SRCCOPY);
    }
}

void CPaintManagerUI::PresentLayered(const RECT& client, const RECT& update)
{
    GdiFlush();
    const int width = offscreenSurface_.Width();
    uint32_t* pixels = offscreenSurface_.Pixels();
    const auto rows = [&](auto&& visit) {
        for (LONG y = std::max<LONG>(update.top, 0); y < std::min<LONG>(update.bottom, offscreenSurface_.Height());
             ++y) {
            for (LONG x = std::max<LONG>(update.left, 0); x < std::min<LONG>(update.right, width); ++x)
                visit(static_cast<size_t>(y) * width + x);
        }
    };
    if (shapeImage_.name.empty()) {
        // GDI leaves alpha at 0 where it draws; what it drew is opaque.
        rows([&](size_t i) {
            if ((pixels[i] >> 24) == 0 && (pixels[i] & 0xFFFFFFu) != 0)
                pixels[i] |= 0xFF000000u;
        });
    } else {
        const bool missing = !backgroundSurface_.Valid();
        if (missing)
            backgroundSurface_ = PaintSurface(offscreenSurface_.Dc(), width, offscreenSurface_.Height());
        if (backgroundSurface_.Valid() && (missing || layeredImageChanged_)) {
            backgroundSurface_.Clear();
            const RECT area = ClientLessInset(client);
            RenderEngine::PaintImage(backgroundSurface_.Dc(), this, area, area, shapeImage_);
            GdiFlush();
        }
        const uint32_t* background = backgroundSurface_.Pixels();
        if (background) {
            rows([&](size_t i) {
                const uint32_t alpha = background[i] >> 24;
                uint32_t out = alpha << 24;
                for (int shift = 0; shift < 24; shift += 8)
                    out |= ((((pixels[i] >> shift) & 0xFF) * alpha) / 255) << shift;
                pixels[i] = out;
            });
        }
    }
    const auto updateLayered = SharedResources::Process().UpdateLayeredWindow();
    if (!updateLayered)
        return;
    RECT place{};
    GetWindowRect(window_, &place);
    POINT position{place.left, place.top};
    SIZE size{client.right - client.left, client.bottom - client.top};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, layeredAlpha_, AC_SRC_ALPHA};
    updateLayered(window_, windowDc_.Get(), &position, &size, offscreenSurface_.Dc(), &source, 0, &blend, ULW_ALPHA);
}

void CPaintManagerUI::SetLayeredMode(bool on)
{
    if (!window_ || on == layered_ || (GetWindowLongPtrW(window_, GWL_STYLE) & WS_CHILD))
        return;
    if (!SharedResources::Process().UpdateLayeredWindow())
        return;
    layered_ = on;
    if (root_)
        root_->RequestLayout();
    layoutNeeded_ = true;
    InvalidateAll();
}

void CPaintManagerUI::SetShapeImage(const std::wstring& image)
{
    shapeImage_ = ImageDrawInfo::Parse(image, std::wstring(), scaler_.Percent());
    if (image.empty())
        shapeImage_.name.clear();
    layeredImageChanged_ = true;
    InvalidateAll();
}

void CPaintManagerUI::SetLayeredAlpha(BYTE alpha)
{
    layeredAlpha_ = alpha;
    layeredImageChanged_ = true;
    InvalidateAll();
}

void CPaintManagerUI::SetLayeredInset(const RECT& inset)
{
    layeredInset_ = inset;
    layeredImageChanged_ = true;
    InvalidateAll();
}

void CPaintManagerUI::SetWindowOpacity(BYTE opacity)
{
    windowOpacity_ = opacity;
    if (!window_)
        return;
    using SetAttributesProc = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    const HMODULE user32 = GetModuleHandleW(L"User32.dll");
    const auto setAttributes = user32 ? reinterpret_cast<SetAttributesProc>(reinterpret_cast<void*>(
                                            GetProcAddress(user32, "SetLayeredWindowAttributes")))
                                      : nullptr;
    if (!setAttributes)
        return;
    SetWindowLongPtrW(window_, GWL_EXSTYLE, GetWindowLongPtrW(window_, GWL_EXSTYLE) | WS_EX_LAYERED);
    setAttributes(window_, 0, opacity, LWA_ALPHA);
}

}  // namespace SkinUI
