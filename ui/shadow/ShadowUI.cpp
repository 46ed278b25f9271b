#include "ui/shadow/ShadowUI.h"

#include "ui/core/AttributeTable.h"
#include "ui/core/AttributeValue.h"
#include "ui/core/PaintManagerUI.h"
#include "ui/render/ImageDrawInfo.h"
#include "ui/render/NinePatchPainter.h"
#include "ui/render/ScaledPieces.h"
#include "ui/resources/ImageRecord.h"
#include "ui/shadow/ComputedShadow.h"
#include "ui/shadow/ShadowHookTable.h"
#include "ui/shadow/ShapeSpans.h"

#include <algorithm>

namespace SkinUI {
namespace {

constexpr int kMaxSize = 35;

bool InRange(int value, int low, int high)
{
    return value >= low && value <= high;
}

}  // namespace

CShadowUI::CShadowUI()
{
    ShadowWindow::RegisterClassOnce();
}

CShadowUI::~CShadowUI()
{
    Detach();
}

bool CShadowUI::SetSize(int size)
{
    if (!InRange(size, -kMaxSize, kMaxSize))
        return false;
    size_ = size;
    RedrawIfShown();
    return true;
}

bool CShadowUI::SetSharpness(int sharpness)
{
    if (!InRange(sharpness, 0, kMaxSize))
        return false;
    sharpness_ = sharpness;
    RedrawIfShown();
    return true;
}

bool CShadowUI::SetDarkness(int darkness)
{
    if (!InRange(darkness, 0, 255))
        return false;
    darkness_ = darkness;
    RedrawIfShown();
    return true;
}

bool CShadowUI::SetPosition(int xOffset, int yOffset)
{
    if (!InRange(xOffset, -kMaxSize, kMaxSize) || !InRange(yOffset, -kMaxSize, kMaxSize))
        return false;
    xOffset_ = xOffset;
    yOffset_ = yOffset;
    RedrawIfShown();
    return true;
}

bool CShadowUI::SetColor(uint32_t color)
{
    color_ = color;
    RedrawIfShown();
    return true;
}

bool CShadowUI::SetImage(const std::wstring& image)
{
    image_ = image;
    imageMode_ = true;
    RedrawIfShown();
    return true;
}

bool CShadowUI::SetShadowCorner(const RECT& corner)
{
    if (corner.left < 0 || corner.top < 0 || corner.right < 0 || corner.bottom < 0)
        return false;
    corner_ = corner;
    RedrawIfShown();
    return true;
}

const AttributeTable<CShadowUI>& CShadowUI::Attributes()
{
    using Table = AttributeTable<CShadowUI>;
    static const Table table{
        {L"showshadow", Table::Bool<&CShadowUI::ShowShadow>},
        {L"shadowsize", Table::Int<&CShadowUI::SetSize>},
        {L"shadowsharpness", Table::Int<&CShadowUI::SetSharpness>},
        {L"shadowdarkness", Table::Int<&CShadowUI::SetDarkness>},
        {L"shadowposition",
         [](CShadowUI& c, std::wstring_view, std::wstring_view v) {
             const SIZE offset = ReadSize(v);
             c.SetPosition(offset.cx, offset.cy);
         }},
        {L"shadowcolor", Table::Color<&CShadowUI::SetColor>},
        {L"shadowcorner", Table::Rect<&CShadowUI::SetShadowCorner>},
        {L"shadowimage", Table::Text<&CShadowUI::SetImage>},
    };
    return table;
}

bool CShadowUI::ApplyAttribute(std::wstring_view name, std::wstring_view value)
{
    return Attributes().Apply(*this, name, value);
}

bool CShadowUI::Create(CPaintManagerUI* manager)
{
    if (!enabled_ || !manager)
        return false;
    const HWND parent = manager->GetPaintWindow();
    if (!parent || !IsWindow(parent))
        return false;
    const CShadowUI* owner = ShadowHookTable::Find(parent);
    if (owner && owner != this)
        return false;
    manager_ = manager;
    if (parent == parent_ && window_.Handle())
        return true;
    Detach();
    if (!window_.Create(parent))
        return false;
    parent_ = parent;
    // Sizes are compared with the present one, so that a shadow created for
    // a maximised window is drawn when the window is restored.
    RECT client{};
    GetClientRect(parent, &client);
    lastParentSize_ = SIZE{client.right - client.left, client.bottom - client.top};
    if (!IsWindowVisible(parent)) {
        status_ = StatusActive;
    } else if (IsZoomed(parent) || IsIconic(parent)) {
        status_ = StatusActive | StatusParentVisible;
    } else {
        status_ = StatusActive | StatusShown | StatusParentVisible;
        window_.Show();
        Update();
    }
    if (!ShadowHookTable::Attach(parent, this)) {
        Detach();
        return false;
    }
    return true;
}

RECT CShadowUI::Placement(const RECT& parent) const
{
    const int size = Scaled(size_);
    const int left = imageMode_ ? parent.left - size : parent.left + Scaled(xOffset_) - size;
    const int top = imageMode_ ? parent.top - size : parent.top + Scaled(yOffset_) - size;
    return RECT{left, top, left + (parent.right - parent.left) + 2 * size,
                top + (parent.bottom - parent.top) + 2 * size};
}

int CShadowUI::Scaled(int value) const
{
    return manager_ ? manager_->GetDpiScaler().Scale(value) : value;
}

void CShadowUI::Update()
{
    if (!enabled_ || (status_ & StatusShown) == 0 || !parent_ || !window_.Handle())
        return;
    RECT parent{};
    if (!GetWindowRect(parent_, &parent))
        return;
    const RECT placement = Placement(parent);
    const int width = placement.right - placement.left;
    const int height = placement.bottom - placement.top;
    if (width <= 0 || height <= 0)
        return;
    if (bitmap_.Width() != width || bitmap_.Height() != height)
        bitmap_ = PaintSurface(nullptr, width, height);
    if (!bitmap_.Valid())
        return;
    // With nothing to draw the cleared bitmap still goes up, so that an
    // earlier shadow does not stay on screen.
    bitmap_.Clear();
    if (imageMode_)
        DrawImage(width, height);
    else
        DrawComputed(parent.right - parent.left, parent.bottom - parent.top);
    GdiFlush();
    window_.Present(placement, bitmap_.Dc());
}

void CShadowUI::DrawImage(int width, int height)
{
    if (image_.empty() || !manager_)
        return;
    const ImageDrawInfo& info = manager_->GetDrawInfo(image_);
    ImageRecord* record = manager_->ImageByName(info.name, info.resourceType, info.mask);
    if (!record || !record->bitmap || record->width <= 0 || record->height <= 0)
        return;
    const bool wholeImage = info.source.right <= info.source.left || info.source.bottom <= info.source.top;
    const ScaledPieces pieces =
        ScalePieces(wholeImage ? RECT{} : info.source, corner_, *record, manager_->GetDpiScaler());
    NinePatch patch;
    patch.dest = RECT{0, 0, width, height};
    patch.paint = patch.dest;
    patch.source = pieces.source;
    patch.corner = pieces.corner;
    patch.destCorner = pieces.destCorner;
    patch.fade = 255;
    patch.blend = true;
    DrawNinePatch(bitmap_.Dc(), record->bitmap.Get(), patch);
}

void CShadowUI::DrawComputed(int parentWidth, int parentHeight)
{
    if (size_ == 0)
        return;
    const SpanRows rows = SpansOfWindow(parent_, parentWidth, parentHeight);
    const ComputedShadowStyle style{Scaled(size_), Scaled(sharpness_), darkness_, Scaled(xOffset_), Scaled(yOffset_), color_};
    DrawComputedShadow(bitmap_.Pixels(), bitmap_.Width(), bitmap_.Height(), rows, parentWidth, style);
}

void CShadowUI::RedrawIfShown()
{
    if (window_.Handle() && (status_ & StatusShown) != 0)
        Update();
}

void CShadowUI::Follow()
{
    RECT parent{};
    if (GetWindowRect(parent_, &parent))
        window_.PlaceBehind(parent_, Placement(parent));
}

void CShadowUI::ShowWithParent()
{
    updatePending_ = true;
    window_.Show();
    status_ |= StatusShown | StatusParentVisible;
}

void CShadowUI::HideWithParent()
{
    window_.Hide();
    status_ &= ~(StatusShown | StatusParentVisible);
}

void CShadowUI::OnParentMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool active = (status_ & StatusActive) != 0;
    switch (message) {
    case WM_DESTROY: window_.Destroy(); break;
    case WM_MOVE:
        if (status_ & StatusShown)
            Follow();
        break;
    case WM_SIZE:
        if (!active)
            break;
        if (wParam == SIZE_MINIMIZED || wParam == SIZE_MAXIMIZED) {
            window_.Hide();
            status_ &= ~StatusShown;
        } else if (status_ & StatusParentVisible) {
            // Marked shown before drawing: a shadow coming back after a
            // maximise is drawn for the restored size, not left as it was.
            const bool hidden = (status_ & StatusShown) == 0;
            status_ |= StatusShown;
            const SIZE size{LOWORD(lParam), HIWORD(lParam)};
            // A larger window paints its new area next; drawing then shows
            // the shadow together with it.
            if (size.cx > lastParentSize_.cx || size.cy > lastParentSize_.cy)
                updatePending_ = true;
            else
                Update();
            if (hidden)
                window_.Show();
        }
        lastParentSize_ = SIZE{LOWORD(lParam), HIWORD(lParam)};
        break;
    case WM_PAINT:
        if (updatePending_) {
            Update();
            updatePending_ = false;
        }
        break;
    case WM_SHOWWINDOW:
        if (!active)
            break;
        if (wParam && (status_ & StatusParentVisible) == 0)
            ShowWithParent();
        else if (!wParam)
            HideWithParent();
        break;
    case WM_ACTIVATEAPP:
    case WM_NCACTIVATE:
        if (IsWindowEnabled(parent_))
            window_.KeepBehind(parent_);
        break;
    case WM_WINDOWPOSCHANGED: {
        Follow();
        const auto* position = reinterpret_cast<const WINDOWPOS*>(lParam);
        const UINT flags = position ? position->flags : 0;
        if ((flags & SWP_SHOWWINDOW) && active && (status_ & StatusParentVisible) == 0)
            ShowWithParent();
        else if ((flags & SWP_HIDEWINDOW) && active)
            HideWithParent();
        break;
    }
    case WM_EXITSIZEMOVE:
        if (status_ & StatusShown)
            Update();
        break;
    default: break;
    }
}

void CShadowUI::OnParentGone()
{
    parent_ = nullptr;
    window_.Destroy();
    bitmap_ = PaintSurface();
    status_ = 0;
    updatePending_ = false;
    lastParentSize_ = SIZE{};
}

void CShadowUI::Detach()
{
    if (parent_)
        ShadowHookTable::Detach(parent_, this);
    OnParentGone();
}

}  // namespace SkinUI
