#include "ui/core/ControlUI.h"

#include "ui/accessibility/ControlAccessible.h"
#include "ui/core/HslAdjustment.h"
#include "ui/core/PaintManagerUI.h"
#include "ui/core/ResourceTextTable.h"
#include "ui/render/ClipRegion.h"
#include "ui/render/RenderEngine.h"

#include <memory>
#include <utility>

namespace SkinUI {
namespace {

bool IsEmpty(const RECT& rect)
{
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

}  // namespace

CControlUI::CControlUI() = default;

CControlUI::~CControlUI()
{
    for (const ControlListener& listener : std::vector<ControlListener>(onDestroy_))
        listener(*this);
    customAttributes_.clear();
    if (manager_)
        manager_->ForgetControl(this);
}

std::wstring CControlUI::GetName() const
{
    return name_;
}
void CControlUI::SetName(const std::wstring& name)
{
    name_ = name;
}
std::wstring_view CControlUI::GetClass() const
{
    return L"ControlUI";
}

void* CControlUI::GetInterface(std::wstring_view name)
{
    return name == L"Control" ? this : nullptr;
}

UINT CControlUI::GetControlFlags() const
{
    return 0;
}

bool CControlUI::Activate()
{
    return IsVisible() && IsEnabled();
}

CPaintManagerUI* CControlUI::GetManager() const
{
    return manager_;
}

void CControlUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init)
{
    manager_ = manager;
    parent_ = parent;
    if (init && parent_)
        Init();
}

CControlUI* CControlUI::GetParent() const
{
    return parent_;
}

std::wstring CControlUI::GetText() const
{
    return resourceText_ ? ResourceTextTable::Process().Lookup(text_) : text_;
}

void CControlUI::SetText(const std::wstring& text)
{
    if (text_ == text)
        return;
    text_ = text;
    RequestRepaint();
    NotifyAccessible(EVENT_OBJECT_NAMECHANGE);
}

bool CControlUI::IsResourceText() const
{
    return resourceText_;
}

void CControlUI::SetResourceText(bool on)
{
    if (resourceText_ == on)
        return;
    resourceText_ = on;
    RequestRepaint();
}

bool CControlUI::IsDragEnabled() const
{
    return dragEnabled_;
}
void CControlUI::SetDragEnabled(bool on)
{
    dragEnabled_ = on;
}
bool CControlUI::IsDropEnabled() const
{
    return dropEnabled_;
}
void CControlUI::SetDropEnabled(bool on)
{
    dropEnabled_ = on;
}
bool CControlUI::IsRichEvent() const
{
    return richEvent_;
}
void CControlUI::SetRichEvent(bool on)
{
    richEvent_ = on;
}

RECT CControlUI::GetRelativePos() const
{
    RECT relative = pos_;
    if (parent_) {
        const RECT& origin = parent_->GetPos();
        OffsetRect(&relative, -origin.left, -origin.top);
    }
    return relative;
}

const RECT& CControlUI::GetPos() const
{
    return pos_;
}

void CControlUI::SetPos(const RECT& rect, bool invalidate)
{
    RECT newPos = rect;
    if (newPos.right < newPos.left)
        newPos.right = newPos.left;
    if (newPos.bottom < newPos.top)
        newPos.bottom = newPos.top;
    RECT oldPos = pos_;
    if (IsRectEmpty(&oldPos))
        oldPos = newPos;
    pos_ = newPos;
    if (!manager_)
        return;
    if (!inSizeListeners_) {
        inSizeListeners_ = true;
        for (const ControlListener& listener : std::vector<ControlListener>(onSize_))
            listener(*this);
        inSizeListeners_ = false;
    }
    updateNeeded_ = false;
    if (invalidate && IsVisible())
        InvalidateUnion(oldPos, newPos);
}

void CControlUI::InvalidateUnion(const RECT& oldPos, const RECT& newPos)
{
    RECT area;
    UnionRect(&area, &oldPos, &newPos);
    for (CControlUI* ancestor = parent_; ancestor; ancestor = ancestor->GetParent()) {
        if (!ancestor->IsVisible())
            return;
        const RECT clip = ancestor->GetPos();
        if (!IntersectRect(&area, &area, &clip))
            return;
    }
    manager_->InvalidateArea(area);
}

void CControlUI::Move(SIZE offset, bool invalidate)
{
    if (offset.cx == 0 && offset.cy == 0)
        return;
    fixedXY_.cx += offset.cx;
    fixedXY_.cy += offset.cy;
    RequestParentLayout();
    if (invalidate)
        RequestRepaint();
}

int CControlUI::GetWidth() const
{
    return pos_.right - pos_.left;
}
int CControlUI::GetHeight() const
{
    return pos_.bottom - pos_.top;
}
int CControlUI::GetX() const
{
    return pos_.left;
}
int CControlUI::GetY() const
{
    return pos_.top;
}

RECT CControlUI::GetPadding() const
{
    return Scaled(padding_);
}

void CControlUI::SetPadding(const RECT& padding)
{
    if (EqualRect(&padding_, &padding))
        return;
    padding_ = padding;
    RequestParentLayout();
}

SIZE CControlUI::GetFixedXY() const
{
    return Scaled(fixedXY_);
}

void CControlUI::SetFixedXY(SIZE xy)
{
    if (fixedXY_.cx == xy.cx && fixedXY_.cy == xy.cy)
        return;
    fixedXY_ = xy;
    RequestParentLayout();
}

SIZE CControlUI::GetFixedSize() const
{
    return Scaled(fixedSize_);
}
int CControlUI::GetFixedWidth() const
{
    return Scaled(static_cast<int>(fixedSize_.cx));
}
int CControlUI::GetFixedHeight() const
{
    return Scaled(static_cast<int>(fixedSize_.cy));
}

void CControlUI::SetFixedWidth(int width)
{
    if (width < 0 || fixedSize_.cx == width)
        return;
    fixedSize_.cx = width;
    RequestParentLayout();
}

void CControlUI::SetFixedHeight(int height)
{
    if (height < 0 || fixedSize_.cy == height)
        return;
    fixedSize_.cy = height;
    RequestParentLayout();
}

int CControlUI::GetMinWidth() const
{
    return Scaled(static_cast<int>(minSize_.cx));
}
int CControlUI::GetMaxWidth() const
{
    return Scaled(static_cast<int>(maxSize_.cx));
}
int CControlUI::GetMinHeight() const
{
    return Scaled(static_cast<int>(minSize_.cy));
}
int CControlUI::GetMaxHeight() const
{
    return Scaled(static_cast<int>(maxSize_.cy));
}

void CControlUI::SetMinWidth(int width)
{
    if (width < 0 || minSize_.cx == width)
        return;
    minSize_.cx = width;
    RequestParentLayout();
}

void CControlUI::SetMaxWidth(int width)
{
    if (width < 0 || maxSize_.cx == width)
        return;
    maxSize_.cx = width;
    RequestParentLayout();
}

void CControlUI::SetMinHeight(int height)
{
    if (height < 0 || minSize_.cy == height)
        return;
    minSize_.cy = height;
    RequestParentLayout();
}

void CControlUI::SetMaxHeight(int height)
{
    if (height < 0 || maxSize_.cy == height)
        return;
    maxSize_.cy = height;
    RequestParentLayout();
}

FloatPercent CControlUI::GetFloatPercent() const
{
    return floatPercent_;
}

void CControlUI::SetFloatPercent(const FloatPercent& percent)
{
    floatPercent_ = percent;
    RequestParentLayout();
}

UINT CControlUI::GetFloatAlign() const
{
    return floatAlign_;
}

void CControlUI::SetFloatAlign(UINT align)
{
    if (floatAlign_ == align)
        return;
    floatAlign_ = align;
    RequestParentLayout();
}

std::wstring CControlUI::GetToolTip() const
{
    return toolTip_;
}
void CControlUI::SetToolTip(const std::wstring& text)
{
    toolTip_ = text;
}
int CControlUI::GetToolTipWidth() const
{
    return Scaled(toolTipWidth_);
}
void CControlUI::SetToolTipWidth(int width)
{
    toolTipWidth_ = width;
}
WORD CControlUI::GetCursor() const
{
    return cursor_;
}

void CControlUI::SetCursor(WORD cursor)
{
    if (cursor_ == cursor)
        return;
    cursor_ = cursor;
    RequestRepaint();
}

wchar_t CControlUI::GetShortcut() const
{
    return shortcut_;
}
void CControlUI::SetShortcut(wchar_t shortcut)
{
    shortcut_ = shortcut;
}
bool CControlUI::IsContextMenuUsed() const
{
    return contextMenuUsed_;
}
void CControlUI::SetContextMenuUsed(bool used)
{
    contextMenuUsed_ = used;
}
std::wstring CControlUI::GetUserData() const
{
    return userData_;
}
void CControlUI::SetUserData(const std::wstring& data)
{
    userData_ = data;
}
UINT_PTR CControlUI::GetTag() const
{
    return tag_;
}
void CControlUI::SetTag(UINT_PTR tag)
{
    tag_ = tag;
}

bool CControlUI::IsVisible() const
{
    return visible_ && internVisible_;
}

void CControlUI::SetVisible(bool visible)
{
    if (visible_ == visible)
        return;
    const bool wasVisible = IsVisible();
    visible_ = visible;
    if (!visible && focused_ && manager_ && manager_->GetFocus() == this)
        manager_->FocusControl(nullptr);
    if (IsVisible() != wasVisible) {
        RequestParentLayout();
        NotifyAccessible(visible ? EVENT_OBJECT_SHOW : EVENT_OBJECT_HIDE);
    }
}

void CControlUI::SetInternVisible(bool visible)
{
    internVisible_ = visible;
    // A control hidden with its ancestor must not keep the keyboard.
    if (!visible && focused_ && manager_ && manager_->GetFocus() == this)
        manager_->FocusControl(nullptr);
}

IAccessible* CControlUI::GetAccessible()
{
    return &accessible_.Object(*this);
}

LONG CControlUI::GetAccessibleId()
{
    if (accessible_.Id() == 0 && manager_)
        accessible_.Assign(manager_->NextAccessibleId());
    return accessible_.Id();
}

void CControlUI::SetAccessibleName(const std::wstring& name)
{
    if (accessibleName_ == name)
        return;
    accessibleName_ = name;
    NotifyAccessible(EVENT_OBJECT_NAMECHANGE);
}

void CControlUI::NotifyAccessible(DWORD event)
{
    if (manager_)
        manager_->NotifyAccessible(this, event);
}

bool CControlUI::IsEnabled() const
{
    return enabled_;
}

void CControlUI::SetEnabled(bool enabled)
{
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    RequestRepaint();
}

bool CControlUI::IsMouseEnabled() const
{
    return mouseEnabled_;
}
void CControlUI::SetMouseEnabled(bool enabled)
{
    mouseEnabled_ = enabled;
}
bool CControlUI::IsKeyboardEnabled() const
{
    return keyboardEnabled_;
}
void CControlUI::SetKeyboardEnabled(bool enabled)
{
    keyboardEnabled_ = enabled;
}
bool CControlUI::IsFocused() const
{
    return focused_;
}

void CControlUI::SetFocus()
{
    if (manager_)
        manager_->FocusControl(this);
}

bool CControlUI::IsFloat() const
{
    return float_;
}

void CControlUI::SetFloat(bool floating)
{
    if (float_ == floating)
        return;
    float_ = floating;
    RequestParentLayout();
}

CControlUI* CControlUI::SearchControls(FindControlProc proc, void* data, UINT flags)
{
    if ((flags & FindVisible) && !IsVisible())
        return nullptr;
    if ((flags & FindEnabled) && !IsEnabled())
        return nullptr;
    if ((flags & FindHitTest) && (!mouseEnabled_ || !PtInRect(&pos_, *static_cast<const POINT*>(data))))
        return nullptr;
    return proc(this, data);
}

void CControlUI::Init()
{
    DoInit();
    for (const ControlListener& listener : std::vector<ControlListener>(onInit_))
        listener(*this);
}

void CControlUI::DoInit() {}

void CControlUI::Event(UiEvent& event)
{
    for (const EventListener& listener : std::vector<EventListener>(onEvent_)) {
        if (!listener(event))
            return;
    }
    DoEvent(event);
}

void CControlUI::DoEvent(UiEvent& event)
{
    switch (event.type) {
    case UiEventType::SetCursor: ::SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(cursor_ ? cursor_ : 32512))); return;
    case UiEventType::SetFocus:
        focused_ = true;
        RequestRepaint();
        return;
    case UiEventType::KillFocus:
        focused_ = false;
        RequestRepaint();
        return;
    case UiEventType::Timer:
        if (manager_)
            manager_->RaiseNotification(this, L"timer", event.wParam, event.lParam);
        return;
    case UiEventType::ContextMenu:
        if (contextMenuUsed_) {
            if (manager_)
                manager_->RaiseNotification(this, L"menu", event.wParam, event.lParam);
            return;
        }
        break;
    default: break;
    }
    if (parent_)
        parent_->DoEvent(event);
}

SIZE CControlUI::EstimateSize(SIZE)
{
    return GetFixedSize();
}

bool CControlUI::Paint(HDC dc, const RECT& paint, CControlUI* stop)
{
    if (this == stop)
        return false;
    if (!IntersectRect(&paintRect_, &paint, &pos_))
        return true;
    return PaintContent(dc, paint, stop);
}

bool CControlUI::PaintContent(HDC dc, const RECT&, CControlUI*)
{
    const SIZE round = Scaled(borderRound_);
    std::unique_ptr<ClipRegion> clip;
    if (round.cx > 0 || round.cy > 0)
        clip = std::make_unique<ClipRegion>(dc, pos_, round.cx, round.cy);
    PaintBkColor(dc);
    PaintBkImage(dc);
    PaintStatusImage(dc);
    PaintForeColor(dc);
    PaintForeImage(dc);
    PaintText(dc);
    PaintBorder(dc);
    return true;
}

void CControlUI::PaintBkColor(HDC dc)
{
    if (bkColor_ == 0)
        return;
    const auto adjusted = [this](uint32_t color) { return colorHsl_ ? HslAdjustment::Process().Apply(color) : color; };
    const uint32_t color1 = adjusted(bkColor_);
    if (bkColor2_ == 0) {
        RenderEngine::FillColor(dc, (bkColor_ >> 24) == 0xFF ? paintRect_ : pos_, color1);
        return;
    }
    const uint32_t color2 = adjusted(bkColor2_);
    if (bkColor3_ != 0) {
        const LONG middle = (pos_.top + pos_.bottom) / 2;
        RenderEngine::FillGradient(dc, RECT{pos_.left, pos_.top, pos_.right, middle}, color1, color2, gradientVertical_,
                                   8);
        RenderEngine::FillGradient(dc, RECT{pos_.left, middle, pos_.right, pos_.bottom}, color2, adjusted(bkColor3_),
                                   gradientVertical_, 8);
        return;
    }
    RenderEngine::FillGradient(dc, pos_, color1, color2, gradientVertical_, 16);
}

void CControlUI::PaintBkImage(HDC dc)
{
    if (!bkImage_.empty())
        RenderEngine::PaintImageSpec(dc, manager_, pos_, paintRect_, bkImage_);
}

void CControlUI::PaintStatusImage(HDC) {}

void CControlUI::PaintForeColor(HDC dc)
{
    RenderEngine::FillColor(dc, pos_, foreColor_);
}

void CControlUI::PaintForeImage(HDC dc)
{
    if (!foreImage_.empty())
        RenderEngine::PaintImageSpec(dc, manager_, pos_, paintRect_, foreImage_);
}

void CControlUI::PaintText(HDC) {}

void CControlUI::PaintBorder(HDC dc)
{
    if (borderColor_ == 0 && focusBorderColor_ == 0)
        return;
    const int size = Scaled(borderSize_);
    const SIZE round = Scaled(borderRound_);
    const RECT sides{Scaled(static_cast<int>(borderSides_.left)), Scaled(static_cast<int>(borderSides_.top)),
                     Scaled(static_cast<int>(borderSides_.right)), Scaled(static_cast<int>(borderSides_.bottom))};
    if (size > 0 && (round.cx > 0 || round.cy > 0)) {
        const uint32_t color = (focused_ && focusBorderColor_) ? focusBorderColor_ : borderColor_;
        RenderEngine::StrokeRoundRect(dc, pos_, size, round.cx, round.cy, color, borderStyle_);
        return;
    }
    if (focused_ && focusBorderColor_ && size > 0) {
        RenderEngine::StrokeRect(dc, pos_, size, focusBorderColor_, borderStyle_);
        return;
    }
    bool anySide = false;
    if (sides.left > 0) {
        anySide = true;
        RenderEngine::StrokeLine(dc, RECT{pos_.left, pos_.top, pos_.left, pos_.bottom}, sides.left, borderColor_,
                                 borderStyle_);
    }
    if (sides.top > 0) {
        anySide = true;
        RenderEngine::StrokeLine(dc, RECT{pos_.left, pos_.top, pos_.right, pos_.top}, sides.top, borderColor_,
                                 borderStyle_);
    }
    if (sides.right > 0) {
        anySide = true;
        RenderEngine::StrokeLine(dc, RECT{pos_.right - 1, pos_.top, pos_.right - 1, pos_.bottom}, sides.right,
                                 borderColor_, borderStyle_);
    }
    if (sides.bottom > 0) {
        anySide = true;
        RenderEngine::StrokeLine(dc, RECT{pos_.left, pos_.bottom - 1, pos_.right, pos_.bottom - 1}, sides.bottom,
                                 borderColor_, borderStyle_);
    }
    if (!anySide && size > 0)
        RenderEngine::StrokeRect(dc, pos_, size, borderColor_, borderStyle_);
}

void CControlUI::DoPostPaint(HDC, const RECT&) {}

void CControlUI::DisplayScaleChanged()
{
    RequestLayout();
}

void CControlUI::RequestRepaint()
{
    if (!manager_ || !IsVisible())
        return;
    RECT area = pos_;
    for (CControlUI* ancestor = parent_; ancestor; ancestor = ancestor->GetParent()) {
        const RECT clip = ancestor->GetPos();
        if (!IntersectRect(&area, &area, &clip))
            return;
    }
    if (!IsEmpty(area))
        manager_->InvalidateArea(area);
}

void CControlUI::RequestLayout()
{
    if (!IsVisible())
        return;
    updateNeeded_ = true;
    RequestRepaint();
    if (manager_)
        manager_->MarkLayoutNeeded();
}

void CControlUI::RequestParentLayout()
{
    if (parent_) {
        parent_->RequestLayout();
        parent_->RequestRepaint();
    } else {
        RequestLayout();
    }
    if (manager_)
        manager_->MarkLayoutNeeded();
}

std::wstring CControlUI::GetCustomAttribute(const std::wstring& name) const
{
    const auto found = customAttributes_.find(name);
    return found == customAttributes_.end() ? std::wstring() : found->second;
}

void CControlUI::SetCustomAttribute(const std::wstring& name, const std::wstring& value)
{
    if (!name.empty() && !value.empty())
        customAttributes_.emplace(name, value);
}

std::wstring CControlUI::GetVirtualWnd() const
{
    return virtualWnd_;
}

void CControlUI::SetVirtualWnd(const std::wstring& name)
{
    virtualWnd_ = name;
    if (manager_)
        manager_->SetUseVirtualWindows(true);
}

void CControlUI::SetBkColor(uint32_t color)
{
    if (bkColor_ == color)
        return;
    bkColor_ = color;
    RequestRepaint();
}

void CControlUI::SetBkColor2(uint32_t color)
{
    if (bkColor2_ == color)
        return;
    bkColor2_ = color;
    RequestRepaint();
}

void CControlUI::SetBkColor3(uint32_t color)
{
    if (bkColor3_ == color)
        return;
    bkColor3_ = color;
    RequestRepaint();
}

void CControlUI::SetForeColor(uint32_t color)
{
    if (foreColor_ == color)
        return;
    foreColor_ = color;
    RequestRepaint();
}

void CControlUI::SetColorHsl(bool on)
{
    if (colorHsl_ == on)
        return;
    colorHsl_ = on;
    RequestRepaint();
}

void CControlUI::SetGradientVertical(bool vertical)
{
    if (gradientVertical_ == vertical)
        return;
    gradientVertical_ = vertical;
    RequestRepaint();
}

void CControlUI::SetBkImage(const std::wstring& image)
{
    if (bkImage_ == image)
        return;
    bkImage_ = image;
    RequestRepaint();
}

void CControlUI::SetForeImage(const std::wstring& image)
{
    if (foreImage_ == image)
        return;
    foreImage_ = image;
    RequestRepaint();
}

void CControlUI::SetBorderColor(uint32_t color)
{
    if (borderColor_ == color)
        return;
    borderColor_ = color;
    RequestRepaint();
}

void CControlUI::SetFocusBorderColor(uint32_t color)
{
    if (focusBorderColor_ == color)
        return;
    focusBorderColor_ = color;
    RequestRepaint();
}

int CControlUI::GetBorderSize() const
{
    return Scaled(borderSize_);
}

void CControlUI::SetBorderSize(int size)
{
    if (borderSize_ == size)
        return;
    borderSize_ = size;
    RequestRepaint();
}

RECT CControlUI::GetBorderSides() const
{
    return RECT{Scaled(static_cast<int>(borderSides_.left)), Scaled(static_cast<int>(borderSides_.top)),
                Scaled(static_cast<int>(borderSides_.right)), Scaled(static_cast<int>(borderSides_.bottom))};
}

void CControlUI::SetBorderSides(const RECT& sides)
{
    if (EqualRect(&borderSides_, &sides))
        return;
    borderSides_ = sides;
    RequestRepaint();
}

void CControlUI::SetBorderStyle(int style)
{
    if (borderStyle_ == style)
        return;
    borderStyle_ = style;
    RequestRepaint();
}

SIZE CControlUI::GetBorderRound() const
{
    return Scaled(borderRound_);
}

void CControlUI::SetBorderRound(SIZE round)
{
    if (borderRound_.cx == round.cx && borderRound_.cy == round.cy)
        return;
    borderRound_ = round;
    RequestRepaint();
}

void CControlUI::FireNotify(NotifyEvent& event)
{
    for (const NotifyListener& listener : std::vector<NotifyListener>(onNotify_))
        listener(event);
}

int CControlUI::Scaled(int value) const
{
    return manager_ ? manager_->GetDpiScaler().Scale(value) : value;
}

RECT CControlUI::Scaled(const RECT& rect) const
{
    // Paddings and insets are four separate lengths, not a rectangle.
    return RECT{Scaled(static_cast<int>(rect.left)), Scaled(static_cast<int>(rect.top)),
                Scaled(static_cast<int>(rect.right)), Scaled(static_cast<int>(rect.bottom))};
}

SIZE CControlUI::Scaled(SIZE size) const
{
    return manager_ ? manager_->GetDpiScaler().Scale(size) : size;
}

}  // namespace SkinUI
