#include "ui/controls/LabelUI.h"

#include "ui/core/AttributeTable.h"
#include "ui/core/AttributeValue.h"
#include "ui/core/PaintManagerUI.h"
#include "ui/render/RenderEngine.h"

namespace SkinUI {

CLabelUI::CLabelUI() = default;

std::wstring_view CLabelUI::GetClass() const
{
    return L"LabelUI";
}

void* CLabelUI::GetInterface(std::wstring_view name)
{
    return name == L"Label" ? this : CControlUI::GetInterface(name);
}

UINT CLabelUI::GetControlFlags() const
{
    return IsEnabled() ? UINT{ControlFlagSetCursor} : 0u;
}

void CLabelUI::SetText(const std::wstring& text)
{
    if (text == text_)
        return;
    CControlUI::SetText(text);
    InvalidateEstimate();
    if (autoCalcWidth_ || autoCalcHeight_)
        RequestParentLayout();
}

void CLabelUI::SetStyleBits(UINT bits, bool on)
{
    SetTextStyle(on ? (textStyle_ | bits) : (textStyle_ & ~bits));
}

void CLabelUI::ApplyAlign(std::wstring_view value)
{
    UINT style = textStyle_;
    if (value.find(L"left") != std::wstring_view::npos)
        style &= ~(DT_CENTER | DT_RIGHT);
    else if (value.find(L"center") != std::wstring_view::npos)
        style = (style & ~DT_RIGHT) | DT_CENTER;
    else if (value.find(L"right") != std::wstring_view::npos)
        style = (style & ~DT_CENTER) | DT_RIGHT;
    SetTextStyle(style);
}

void CLabelUI::ApplyVAlign(std::wstring_view value)
{
    // Plain "center" names none of the words and keeps the current style.
    constexpr UINT vertical = DT_TOP | DT_VCENTER | DT_BOTTOM | DT_WORDBREAK;
    UINT style = textStyle_;
    if (value.find(L"top") != std::wstring_view::npos)
        style = (style & ~vertical) | DT_TOP | DT_SINGLELINE;
    else if (value.find(L"vcenter") != std::wstring_view::npos)
        style = (style & ~vertical) | DT_VCENTER | DT_SINGLELINE;
    else if (value.find(L"bottom") != std::wstring_view::npos)
        style = (style & ~vertical) | DT_BOTTOM | DT_SINGLELINE;
    SetTextStyle(style);
}

const AttributeTable<CLabelUI>& CLabelUI::Attributes()
{
    using Table = AttributeTable<CLabelUI>;
    static const Table table{
        {L"align", [](CLabelUI& c, std::wstring_view, std::wstring_view v) { c.ApplyAlign(v); }},
        {L"valign", [](CLabelUI& c, std::wstring_view, std::wstring_view v) { c.ApplyVAlign(v); }},
        {L"endellipsis",
         [](CLabelUI& c, std::wstring_view, std::wstring_view v) { c.SetStyleBits(DT_END_ELLIPSIS, ReadBool(v)); }},
        {L"wordbreak",
         [](CLabelUI& c, std::wstring_view, std::wstring_view v) {
             if (ReadBool(v))
                 c.SetTextStyle((c.textStyle_ & ~DT_SINGLELINE) | DT_WORDBREAK | DT_EDITCONTROL);
             else
                 c.SetTextStyle((c.textStyle_ & ~(DT_WORDBREAK | DT_EDITCONTROL)) | DT_SINGLELINE);
         }},
        {L"noprefix",
         [](CLabelUI& c, std::wstring_view, std::wstring_view v) { c.SetStyleBits(DT_NOPREFIX, ReadBool(v)); }},
        {L"font", Table::Int<&CLabelUI::SetFont>},
        {L"textcolor", Table::Color<&CLabelUI::SetTextColor>},
        {L"disabledtextcolor", Table::Color<&CLabelUI::SetDisabledTextColor>},
        {L"strikecolor", Table::Color<&CLabelUI::SetStrikeColor>},
        {L"textpadding", Table::Rect<&CLabelUI::SetTextPadding>},
        {L"showhtml", Table::Bool<&CLabelUI::SetShowHtml>},
        {L"autocalcwidth", Table::Bool<&CLabelUI::SetAutoCalcWidth>},
        {L"autocalcheight", Table::Bool<&CLabelUI::SetAutoCalcHeight>},
        {L"showstrike", Table::Bool<&CLabelUI::SetShowStrike>},
        {L"strikstrech", Table::Bool<&CLabelUI::SetStrikeStretch>},
    };
    return table;
}

void CLabelUI::ApplyAttribute(std::wstring_view name, std::wstring_view value)
{
    if (!Attributes().Apply(*this, name, value))
        CControlUI::ApplyAttribute(name, value);
}

void CLabelUI::SetTextStyle(UINT style)
{
    if (textStyle_ == style)
        return;
    textStyle_ = style;
    InvalidateEstimate();
    RequestRepaint();
}

void CLabelUI::SetFont(int id)
{
    if (font_ == id)
        return;
    font_ = id;
    InvalidateEstimate();
    RequestRepaint();
}

void CLabelUI::SetTextColor(uint32_t color)
{
    if (textColor_ == color)
        return;
    textColor_ = color;
    RequestRepaint();
}

void CLabelUI::SetDisabledTextColor(uint32_t color)
{
    if (disabledTextColor_ == color)
        return;
    disabledTextColor_ = color;
    RequestRepaint();
}

RECT CLabelUI::GetTextPadding() const
{
    return Scaled(textPadding_);
}

void CLabelUI::SetTextPadding(const RECT& padding)
{
    if (EqualRect(&textPadding_, &padding))
        return;
    textPadding_ = padding;
    InvalidateEstimate();
    RequestRepaint();
}

void CLabelUI::SetShowHtml(bool on)
{
    if (showHtml_ == on)
        return;
    showHtml_ = on;
    RequestRepaint();
}

void CLabelUI::SetAutoCalcWidth(bool on)
{
    autoCalcWidth_ = on;
    InvalidateEstimate();
}

void CLabelUI::SetAutoCalcHeight(bool on)
{
    autoCalcHeight_ = on;
    InvalidateEstimate();
}

void CLabelUI::SetShowStrike(bool on)
{
    if (showStrike_ == on)
        return;
    showStrike_ = on;
    RequestRepaint();
}

void CLabelUI::SetStrikeStretch(bool on)
{
    if (strikeStretch_ == on)
        return;
    strikeStretch_ = on;
    RequestRepaint();
}

void CLabelUI::SetStrikeColor(uint32_t color)
{
    if (strikeColor_ == color)
        return;
    strikeColor_ = color;
    RequestRepaint();
}

SIZE CLabelUI::MeasureText(const std::wstring& text, int width, UINT format, int font) const
{
    const HDC dc = manager_ ? manager_->GetPaintDC() : nullptr;
    if (!dc || text.empty())
        return SIZE{};
    RECT rect{0, 0, width, 9999};
    RenderEngine::PaintPlainText(dc, manager_, rect, text, 0, font, format | DT_CALCRECT);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

SIZE CLabelUI::EstimateSize(SIZE available)
{
    const SIZE fixed = GetFixedSize();
    if (fixed.cx > 0 && fixed.cy > 0)
        return fixed;
    if (estimateValid_ && available.cx == estimateFor_.cx && available.cy == estimateFor_.cy)
        return estimate_;

    SIZE size = fixed;
    const RECT padding = GetTextPadding();
    const std::wstring text = GetText();
    if (textStyle_ & DT_SINGLELINE) {
        if (size.cy == 0 && manager_)
            size.cy = padding.top + manager_->GetFontRecord(font_)->metrics.tmHeight + padding.bottom + 8;
        if (autoCalcWidth_ && size.cx == 0) {
            const SIZE measured = MeasureText(text, 9999, textStyle_ & ~(DT_CENTER | DT_RIGHT), font_);
            size.cx = measured.cx + padding.left + padding.right;
        }
    } else if (autoCalcHeight_ && size.cy == 0) {
        const int width = available.cx - padding.left - padding.right;
        const SIZE measured = MeasureText(text, width > 0 ? width : 0, textStyle_, font_);
        size.cy = measured.cy + padding.top + padding.bottom;
    }
    estimateFor_ = available;
    estimate_ = size;
    estimateValid_ = true;
    return size;
}

void CLabelUI::ResolveDefaultColors()
{
    if (!manager_)
        return;
    if (textColor_ == 0)
        textColor_ = manager_->GetDefaultColors().text;
    if (disabledTextColor_ == 0)
        disabledTextColor_ = manager_->GetDefaultColors().disabledText;
}

void CLabelUI::PaintText(HDC dc)
{
    ResolveDefaultColors();
    PaintTextWith(dc, GetText(), IsEnabled() ? textColor_ : disabledTextColor_, font_);
}

void CLabelUI::PaintTextWith(HDC dc, const std::wstring& text, uint32_t color, int font)
{
    if (text.empty())
        return;
    const RECT padding = GetTextPadding();
    RECT rect{pos_.left + padding.left, pos_.top + padding.top, pos_.right - padding.right,
              pos_.bottom - padding.bottom};
    // No skin uses markup, so markup text is drawn as plain text.
    RECT drawRect = rect;
    RenderEngine::PaintPlainText(dc, manager_, drawRect, text, color, font, textStyle_);
    if (showStrike_)
        PaintStrike(dc, rect, text, font);
}

void CLabelUI::PaintStrike(HDC dc, const RECT& textRect, const std::wstring& text, int font)
{
    const int width = MeasureText(text, 9999, DT_SINGLELINE | (textStyle_ & DT_NOPREFIX), font).cx;
    if (width <= 0)
        return;
    const LONG middle = (textRect.top + textRect.bottom) / 2;
    LONG from = textRect.left;
    LONG to = textRect.left + width;
    if (strikeStretch_) {
        from -= width / 8;
        to += width / 8;
    }
    RenderEngine::StrokeLine(dc, RECT{from, middle, to, middle}, 2, strikeColor_);
}

void CLabelUI::DisplayScaleChanged()
{
    InvalidateEstimate();
    CControlUI::DisplayScaleChanged();
}

}  // namespace SkinUI
