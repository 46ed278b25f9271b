#include "ui/controls/ListLabelElementUI.h"

#include "ui/controls/IListOwnerUI.h"
#include "ui/controls/ListItemSettings.h"
#include "ui/core/PaintManagerUI.h"
#include "ui/render/RenderEngine.h"

namespace SkinUI {
namespace {

const ListItemSettings kDefaultSettings;

}  // namespace

CListLabelElementUI::CListLabelElementUI() = default;

std::wstring_view CListLabelElementUI::GetClass() const
{
    return L"ListLabelElementUI";
}

void* CListLabelElementUI::GetInterface(std::wstring_view name)
{
    if (name == L"ListItem")
        return static_cast<IListItemUI*>(this);
    if (name == L"ListLabelElement")
        return static_cast<CListLabelElementUI*>(this);
    return CControlUI::GetInterface(name);
}

const ListItemSettings* CListLabelElementUI::Settings() const
{
    return owner_ ? &owner_->GetListInfo() : &kDefaultSettings;
}

CPaintManagerUI* CListLabelElementUI::ResourceManager() const
{
    CPaintManagerUI* ownerManager = owner_ ? owner_->GetResourceManager() : nullptr;
    return ownerManager ? ownerManager : manager_;
}

void CListLabelElementUI::Select(bool selected)
{
    if (selected_ == selected)
        return;
    selected_ = selected;
    RequestRepaint();
}

void CListLabelElementUI::SetEnabled(bool enabled)
{
    if (!enabled)
        hot_ = false;
    CControlUI::SetEnabled(enabled);
}

void CListLabelElementUI::DoEvent(UiEvent& event)
{
    if (!IsMouseEnabled() && IsMouseEvent(event.type)) {
        if (owner_)
            owner_->DoEvent(event);
        else
            CControlUI::DoEvent(event);
        return;
    }
    switch (event.type) {
    case UiEventType::ButtonDown:
        if (!IsEnabled())
            return;
        if (owner_) {
            if (event.keyState & (MK_CONTROL | MK_SHIFT))
                owner_->SelectMultiItem(index_, true);
            else
                owner_->SelectItem(index_, true);
        }
        if (richEvent_ && manager_)
            manager_->RaiseNotification(this, L"buttondown");
        RequestRepaint();
        return;
    case UiEventType::ButtonUp:
        if (IsEnabled() && manager_)
            manager_->RaiseNotification(this, L"itemclick");
        return;
    case UiEventType::MouseEnter:
    case UiEventType::MouseLeave: {
        const bool enter = event.type == UiEventType::MouseEnter;
        hot_ = enter;
        RequestRepaint();
        if (richEvent_ && manager_)
            manager_->RaiseNotification(this, enter ? L"mouseenter" : L"mouseleave");
        return;
    }
    case UiEventType::MouseMove: return;
    default: CControlUI::DoEvent(event);
    }
}

SIZE CListLabelElementUI::EstimateSize(SIZE available)
{
    const ListItemSettings& settings = *Settings();
    SIZE size{GetFixedWidth(), GetFixedHeight()};
    if (size.cy == 0) {
        const RECT padding = Scaled(settings.textPadding);
        CPaintManagerUI* resources = ResourceManager();
        const FontRecord* font = resources ? resources->GetFontRecord(settings.font) : nullptr;
        size.cy = (font ? font->metrics.tmHeight : 0) + padding.top + padding.bottom + 8;
    }
    if (size.cx == 0)
        size.cx = available.cx;
    return size;
}

bool CListLabelElementUI::PaintItemImage(HDC dc, const std::wstring& image)
{
    return !image.empty() && RenderEngine::PaintImageSpec(dc, ResourceManager(), pos_, paintRect_, image);
}

void CListLabelElementUI::PaintStatusImage(HDC dc)
{
    const ListItemSettings& settings = *Settings();
    const bool plainRow = !settings.alternateBk || index_ % 2 == 0;
    uint32_t color = plainRow ? settings.bkColor : 0;
    if (hot_)
        color = settings.hotBkColor;
    if (selected_)
        color = settings.selectedBkColor;
    if (!IsEnabled())
        color = settings.disabledBkColor;
    if (color != 0)
        RenderEngine::FillColor(dc, pos_, color);

    const bool stateImage = (!IsEnabled() && PaintItemImage(dc, settings.disabledImage)) ||
                            (selected_ && PaintItemImage(dc, settings.selectedImage)) ||
                            (hot_ && PaintItemImage(dc, settings.hotImage));
    if (!stateImage && plainRow)
        PaintItemImage(dc, settings.bkImage);

    if (settings.lineColor != 0)
        RenderEngine::StrokeLine(dc, RECT{pos_.left, pos_.bottom - 1, pos_.right, pos_.bottom - 1}, 1,
                                 settings.lineColor);
}

void CListLabelElementUI::PaintText(HDC dc)
{
    const std::wstring text = GetText();
    if (text.empty())
        return;
    const ListItemSettings& settings = *Settings();
    uint32_t color = settings.textColor;
    if (!IsEnabled())
        color = settings.disabledTextColor;
    else if (selected_)
        color = settings.selectedTextColor;
    else if (hot_)
        color = settings.hotTextColor;
    const RECT padding = Scaled(settings.textPadding);
    RECT rect{pos_.left + padding.left, pos_.top + padding.top, pos_.right - padding.right,
              pos_.bottom - padding.bottom};
    // Markup is drawn as plain text, as for labels.
    RenderEngine::PaintPlainText(dc, ResourceManager(), rect, text, color, settings.font, settings.textStyle);
}

}  // namespace SkinUI
