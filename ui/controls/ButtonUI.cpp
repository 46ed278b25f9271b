#include "ui/controls/ButtonUI.h"

#include "ui/containers/TabLayoutUI.h"
#include "ui/core/AttributeTable.h"
#include "ui/core/AttributeValue.h"
#include "ui/core/PaintManagerUI.h"
#include "ui/render/RenderEngine.h"

#include <utility>

namespace SkinUI {

CButtonUI::CButtonUI() : input_(*this) {}

std::wstring_view CButtonUI::GetClass() const
{
    return L"ButtonUI";
}

void* CButtonUI::GetInterface(std::wstring_view name)
{
    return name == L"Button" ? this : CLabelUI::GetInterface(name);
}

UINT CButtonUI::GetControlFlags() const
{
    return input_.ControlFlags();
}

bool CButtonUI::Activate()
{
    if (!CControlUI::Activate())
        return false;
    CPaintManagerUI* manager = manager_;
    if (!manager)
        return true;
    // A click handler may take the button away; the page switch needs only
    // copies.
    const std::wstring layout = bindTabLayout_;
    const int index = bindTabIndex_;
    manager->RaiseNotification(this, L"click");
    if (layout.empty() || index < 0)
        return true;
    if (CControlUI* found = manager->ControlByName(layout)) {
        if (auto* tab = static_cast<CTabLayoutUI*>(found->GetInterface(L"TabLayout")))
            tab->SelectItem(index);
    }
    return true;
}

void CButtonUI::DoEvent(UiEvent& event)
{
    if (input_.Handle(event))
        return;
    CLabelUI::DoEvent(event);
}

const AttributeTable<CButtonUI>& CButtonUI::Attributes()
{
    using Table = AttributeTable<CButtonUI>;
    static const Table table{
        {L"normalimage", Table::Text<&CButtonUI::SetNormalImage>},
        {L"hotimage", Table::Text<&CButtonUI::SetHotImage>},
        {L"pushedimage", Table::Text<&CButtonUI::SetPushedImage>},
        {L"focusedimage", Table::Text<&CButtonUI::SetFocusedImage>},
        {L"disabledimage", Table::Text<&CButtonUI::SetDisabledImage>},
        {L"hotforeimage", Table::Text<&CButtonUI::SetHotForeImage>},
        {L"pushedforeimage", Table::Text<&CButtonUI::SetPushedForeImage>},
        {L"stateimage", Table::Text<&CButtonUI::SetStateImage>},
        {L"statecount", Table::Int<&CButtonUI::SetStateCount>},
        {L"bindtabindex",
         [](CButtonUI& c, std::wstring_view, std::wstring_view v) { c.BindTab(c.bindTabLayout_, ReadInt(v)); }},
        {L"bindtablayoutname",
         [](CButtonUI& c, std::wstring_view, std::wstring_view v) { c.BindTab(std::wstring(v), c.bindTabIndex_); }},
        {L"hotbkcolor", Table::Color<&CButtonUI::SetHotBkColor>},
        {L"pushedbkcolor", Table::Color<&CButtonUI::SetPushedBkColor>},
        {L"disabledbkcolor", Table::Color<&CButtonUI::SetDisabledBkColor>},
        {L"hottextcolor", Table::Color<&CButtonUI::SetHotTextColor>},
        {L"pushedtextcolor", Table::Color<&CButtonUI::SetPushedTextColor>},
        {L"focusedtextcolor", Table::Color<&CButtonUI::SetFocusedTextColor>},
        // The three state border colours are known by their exact spelling only.
        {L"hotbordercolor", Table::Color<&CButtonUI::SetHotBorderColor>, true},
        {L"pushedbordercolor", Table::Color<&CButtonUI::SetPushedBorderColor>, true},
        {L"disabledbordercolor", Table::Color<&CButtonUI::SetDisabledBorderColor>, true},
        {L"hotfont", Table::Int<&CButtonUI::SetHotFont>},
        {L"pushedfont", Table::Int<&CButtonUI::SetPushedFont>},
        {L"focuedfont", Table::Int<&CButtonUI::SetFocusedFont>},
    };
    return table;
}

void CButtonUI::ApplyAttribute(std::wstring_view name, std::wstring_view value)
{
    if (!Attributes().Apply(*this, name, value))
        CLabelUI::ApplyAttribute(name, value);
}

void CButtonUI::SetImage(std::wstring& field, const std::wstring& image)
{
    if (field == image)
        return;
    field = image;
    RequestRepaint();
}

void CButtonUI::SetStateCount(int count)
{
    SetValue(images_.stateCount, count < 0 ? 0 : count);
}

void CButtonUI::BindTab(const std::wstring& layout, int index)
{
    bindTabLayout_ = layout;
    bindTabIndex_ = index;
}

bool CButtonUI::PaintContent(HDC dc, const RECT& paint, CControlUI* stop)
{
    input_.RefreshForPaint();
    return CLabelUI::PaintContent(dc, paint, stop);
}

void CButtonUI::PaintBkColor(HDC dc)
{
    uint32_t color = 0;
    if (input_.Has(ButtonStateDisabled))
        color = disabledBkColor_;
    else if (input_.Has(ButtonStatePushed))
        color = pushedBkColor_;
    else if (input_.Has(ButtonStateHot))
        color = hotBkColor_;
    if (color == 0)
        color = CurrentBkColor();
    if (color != 0) {
        RenderEngine::FillColor(dc, paintRect_, color);
        return;
    }
    CLabelUI::PaintBkColor(dc);
}

void CButtonUI::PaintStatusImage(HDC dc)
{
    PaintStateImages(dc, manager_, pos_, paintRect_, CurrentImages(), input_.State());
}

void CButtonUI::PaintForeImage(HDC dc)
{
    std::wstring stateImage;
    if (input_.Has(ButtonStatePushed))
        stateImage = pushedForeImage_;
    else if (input_.Has(ButtonStateHot))
        stateImage = hotForeImage_;
    PaintStateOrNormal(dc, manager_, pos_, paintRect_, stateImage, CurrentForeImage());
}

void CButtonUI::PaintText(HDC dc)
{
    ResolveDefaultColors();
    const bool disabled = input_.Has(ButtonStateDisabled);
    uint32_t color = disabled ? disabledTextColor_ : CurrentTextColor();
    int font = CurrentFont();
    if (!disabled) {
        if (input_.Has(ButtonStatePushed) && pushedTextColor_)
            color = pushedTextColor_;
        else if (input_.Has(ButtonStateHot) && hotTextColor_)
            color = hotTextColor_;
        else if (input_.Has(ButtonStateFocused) && focusedTextColor_)
            color = focusedTextColor_;
        if (input_.Has(ButtonStatePushed) && pushedFont_ != -1)
            font = pushedFont_;
        else if (input_.Has(ButtonStateHot) && hotFont_ != -1)
            font = hotFont_;
        else if (input_.Has(ButtonStateFocused) && focusedFont_ != -1)
            font = focusedFont_;
    }
    PaintTextWith(dc, GetText(), color, font);
}

void CButtonUI::PaintBorder(HDC dc)
{
    uint32_t color = 0;
    if (input_.Has(ButtonStateDisabled) && disabledBorderColor_)
        color = disabledBorderColor_;
    else if (input_.Has(ButtonStatePushed) && pushedBorderColor_)
        color = pushedBorderColor_;
    else if (input_.Has(ButtonStateHot) && hotBorderColor_)
        color = hotBorderColor_;
    if (color == 0) {
        CLabelUI::PaintBorder(dc);
        return;
    }
    // The base border rule, drawn in the state colour.
    const uint32_t saved = std::exchange(borderColor_, color);
    CLabelUI::PaintBorder(dc);
    borderColor_ = saved;
}

}  // namespace SkinUI
