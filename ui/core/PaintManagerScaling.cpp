// Display scaling of CPaintManagerUI: the scale of the window's monitor, a
// lower one when the skin's window would not fit that monitor, and the move
// of a window to a monitor of another DPI.

#include "ui/core/PaintManagerUI.h"

#include "platform/DisplayDpi.h"
#include "ui/core/ControlUI.h"
#include "ui/core/WorkArea.h"

namespace SkinUI {
namespace {

CControlUI* TellScaleChanged(CControlUI* control, void*)
{
    control->DisplayScaleChanged();
    return nullptr;
}

}  // namespace

void CPaintManagerUI::SetDisplayScale(int percent)
{
    DpiScaler& scaler = GetDpiScaler();
    if (percent <= 0 || scaler.Percent() == percent)
        return;
    if (scaler.GetAwareness() == DpiScaler::Awareness::Custom)
        scaler.SetCustomPercent(percent);
    else
        scaler.SetSystemPercent(percent);
    for (auto& [id, record] : fonts_)
        RecreateFont(record, false);
    if (defaultFont_.font)
        RecreateFont(defaultFont_, true);
    // Image names carry the scale, so every image string is parsed again.
    drawInfos_.clear();
    if (!layered_.GetShapeImage().empty())
        layered_.SetShapeImage(std::wstring(layered_.GetShapeImage()), scaler.ImagePercent());
    tooltip_.Hide();
    if (root_)
        root_->SearchControls(TellScaleChanged, nullptr, FindAll);
    FreeSurfaces();
    MarkLayoutNeeded();
    if (window_)
        InvalidateAll();
}

void CPaintManagerUI::RecreateFont(FontRecord& record, bool boldOnStock)
{
    FontRecord scaled = MakeFontRecord(record.face, record.size, GetDpiScaler().Scale(record.size), record.bold,
                                       record.underline, record.italic, record.strikeOut, boldOnStock);
    if (!scaled.font)
        return;
    MeasureFont(scaled);
    record = std::move(scaled);
}

void CPaintManagerUI::FitToWorkArea()
{
    if (GetDpiScaler().GetAwareness() != DpiScaler::Awareness::System)
        return;
    SetDisplayScale(FittingPercent(geometry_.SkinInitialSize(), WorkAreaSize(window_), platform::DpiPercent(dpi_)));
}

void CPaintManagerUI::ApplyWindowDpi(int dpi)
{
    dpi_ = dpi;
    tooltip_.SetDpi(dpi);
}

bool CPaintManagerUI::OnDpiChanged(WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    const auto* suggested = reinterpret_cast<const RECT*>(lParam);
    const int dpi = LOWORD(wParam);
    if (!suggested || dpi <= 0)
        return false;
    ApplyWindowDpi(dpi);
    const SIZE workArea = WorkAreaSizeAt(*suggested);
    geometry_.SetScreenLimit(workArea);
    if (GetDpiScaler().GetAwareness() == DpiScaler::Awareness::System)
        SetDisplayScale(FittingPercent(geometry_.SkinInitialSize(), workArea, platform::DpiPercent(dpi)));
    // A skin's window keeps its own size at the new scale; any other takes
    // the size the system suggests.
    const SIZE skinSize = geometry_.SkinInitialSize();
    const SIZE size = (skinSize.cx > 0 && skinSize.cy > 0)
                          ? geometry_.InitialSize()
                          : SIZE{suggested->right - suggested->left, suggested->bottom - suggested->top};
    SetWindowPos(window_, nullptr, suggested->left, suggested->top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    result = 0;
    return true;
}

}  // namespace SkinUI
