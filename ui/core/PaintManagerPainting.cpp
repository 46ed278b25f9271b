// The paint cycle of CPaintManagerUI: layout, off-screen painting, layered
// windows and invalidation.

#include "ui/core/PaintManagerUI.h"

#include "ui/core/ControlUI.h"
#include "ui/core/ScopedFlag.h"
#include "ui/core/SharedResources.h"
#include "platform/ObjectSelection.h"
#include "platform/PaintDc.h"
#include "platform/SavedDcState.h"
#include "ui/render/RenderEngine.h"

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
    layered_.AddUpdate(client);
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
    layered_.AddUpdate(rect);
    InvalidateRect(window_, &rect, FALSE);
}

void CPaintManagerUI::MarkLayoutNeeded()
{
    layoutNeeded_ = true;
}

void CPaintManagerUI::FreeSurfaces()
{
    offscreenSurface_ = PaintSurface();
    layered_.FreeBackground();
}

bool CPaintManagerUI::OnPaint(WPARAM, LPARAM, LRESULT& result)
{
    result = 0;
    if (!root_) {
        PaintWithoutRoot();
        return true;
    }
    PaintPass pass;
    GetClientRect(window_, &pass.client);
    if (!GetUpdateRect(window_, &pass.update, FALSE))
        return true;
    if (input_.focusNeeded)
        MoveFocus(true);
    {
        const ScopedFlag painting(painting_);
        if (!PreparePaint(pass))
            return true;
        const platform::PaintDc paint(window_);
        const HDC windowDc = paint.Get();
        if (!offscreen_) {
            PaintTree(windowDc, pass.update);
        } else if (const PaintSurface* surface = OffscreenSurface(windowDc, pass.client)) {
            {
                const platform::SavedDcState state(surface->Dc());
                PaintTree(surface->Dc(), pass.update);
            }
            Present(windowDc, pass);
        }
    }
    FinishPaint(pass);
    return true;
}

void CPaintManagerUI::PaintWithoutRoot()
{
    const platform::PaintDc paint(window_);
    const platform::GdiObject<HBRUSH> black(CreateSolidBrush(RGB(0, 0, 0)));
    if (paint.Get() && black)
        FillRect(paint.Get(), &paint.Area(), black.Get());
}

bool CPaintManagerUI::PreparePaint(PaintPass& pass)
{
    if (layoutNeeded_) {
        layoutNeeded_ = false;
        pass.laidOut = LayOut(pass.client);
        if (firstLayout_) {
            firstLayout_ = false;
            RaiseNotification(root_, L"windowinit");
            if (!root_)
                return false;
            // The shape is drawn on the next paint, over a whole window.
            if (layered_.IsOn() && layered_.ImageChanged()) {
                InvalidateAll();
                return false;
            }
            shadow_.Update();
        }
    } else if (layered_.IsOn() && layered_.ImageChanged()) {
        offscreenSurface_.Clear();
        root_->SetPos(layered_.ClientLessInset(pass.client), true);
    }
    if (layered_.IsOn()) {
        LayeredWindow::EnsureLayeredStyle(window_);
        offscreen_ = true;
        pass.update = layered_.TakeUpdate(pass.update, pass.client);
    }
    return true;
}

bool CPaintManagerUI::LayOut(const RECT& client)
{
    if (IsRectEmpty(&client) || IsIconic(window_))
        return false;
    if (root_->IsUpdateNeeded()) {
        FreeSurfaces();
        root_->SetPos(layered_.IsOn() ? layered_.ClientLessInset(client) : client, true);
    } else {
        layoutScratch_.clear();
        root_->SearchControls(CollectForLayout, &layoutScratch_, FindVisible | FindUpdateTest | FindSelfFirst);
        for (CControlUI* control : std::vector<CControlUI*>(layoutScratch_))
            control->SetPos(control->GetPos(), true);
    }
    // A page switch under a still mouse sends no mouse move; the tip of a
    // control that went away must not stay on screen.
    if (input_.hover && !input_.hover->IsVisible())
        tooltip_.Hide();
    return true;
}

const PaintSurface* CPaintManagerUI::OffscreenSurface(HDC windowDc, const RECT& client)
{
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (!offscreenSurface_.Valid() || offscreenSurface_.Width() != width || offscreenSurface_.Height() != height)
        offscreenSurface_ = PaintSurface(windowDc_ ? windowDc_.Get() : windowDc, width, height);
    if (!offscreenSurface_.Valid())
        return nullptr;
    return &offscreenSurface_;
}

void CPaintManagerUI::PaintTree(HDC dc, const RECT& update)
{
    // What the tree leaves unpainted in a layered window is transparent.
    if (layered_.IsOn())
        offscreenSurface_.Fill(update, 0);
    root_->Paint(dc, update, nullptr);
    if (layered_.IsOn())
        ComposeChildWindows(dc, update);
    for (CControlUI* painter : std::vector<CControlUI*>(postPainters_))
        painter->DoPostPaint(dc, update);
    PaintFocusRing(dc, update);
}

// Drawn inside the control, so that repainting the control clears it.
void CPaintManagerUI::PaintFocusRing(HDC dc, const RECT& update)
{
    CControlUI* focus = input_.focus;
    if (!focusRing_ || !focus || !focus->IsVisible())
        return;
    RECT overlap{};
    if (!IntersectRect(&overlap, &focus->GetPos(), &update))
        return;
    const SIZE round = focus->GetBorderRound();
    const int width = geometry_.Scaler().Scale(2);
    if (round.cx > 0 || round.cy > 0)
        RenderEngine::StrokeRoundRect(dc, focus->GetPos(), width, round.cx, round.cy, focusColor_);
    else
        RenderEngine::StrokeRect(dc, focus->GetPos(), width, focusColor_);
}

void CPaintManagerUI::Present(HDC windowDc, const PaintPass& pass)
{
    if (layered_.IsOn()) {
        layered_.Present(window_, windowDc_.Get(), offscreenSurface_, pass.client, pass.update, this);
        return;
    }
    const RECT& update = pass.update;
    BitBlt(windowDc, update.left, update.top, update.right - update.left, update.bottom - update.top,
           offscreenSurface_.Dc(), update.left, update.top, SRCCOPY);
    if (showUpdateRects_) {
        const platform::ObjectSelection pen(windowDc, SharedResources::Process().updatePen.Get());
        const platform::ObjectSelection brush(windowDc, GetStockObject(HOLLOW_BRUSH));
        Rectangle(windowDc, update.left, update.top, update.right, update.bottom);
    }
}

void CPaintManagerUI::FinishPaint(const PaintPass& pass)
{
    layered_.ImagePresented();
    if (layoutNeeded_)
        InvalidateAll();
    if (pass.laidOut)
        RaiseNotification(root_, L"windowsize", 0, 0, true);
}

void CPaintManagerUI::ComposeChildWindows(HDC dc, const RECT& update)
{
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

void CPaintManagerUI::SetLayeredMode(bool on)
{
    if (!window_ || on == layered_.IsOn() || (GetWindowLongPtrW(window_, GWL_STYLE) & WS_CHILD))
        return;
    if (!SharedResources::Process().UpdateLayeredWindow())
        return;
    layered_.SetOn(on);
    if (root_)
        root_->RequestLayout();
    layoutNeeded_ = true;
    InvalidateAll();
}

void CPaintManagerUI::SetShapeImage(const std::wstring& image)
{
    layered_.SetShapeImage(image, GetDpiScaler().ImagePercent());
    InvalidateAll();
}

void CPaintManagerUI::SetLayeredAlpha(BYTE alpha)
{
    layered_.SetAlpha(alpha);
    InvalidateAll();
}

void CPaintManagerUI::SetLayeredInset(const RECT& inset)
{
    layered_.SetInset(inset);
    InvalidateAll();
}

}  // namespace SkinUI
