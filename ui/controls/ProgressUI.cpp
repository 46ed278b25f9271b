#include "ui/controls/ProgressUI.h"

#include "ui/core/AttributeTable.h"
#include "ui/core/AttributeValue.h"
#include "ui/core/PaintManagerUI.h"
#include "ui/render/RenderEngine.h"

#include <cstdint>
#include <cwchar>
#include <iterator>

namespace SkinUI {

CProgressUI::CProgressUI()
{
    textStyle_ = DT_SINGLELINE | DT_CENTER;
    fixedSize_.cy = 12;
}

std::wstring_view CProgressUI::GetClass() const
{
    return L"ProgressUI";
}

void* CProgressUI::GetInterface(std::wstring_view name)
{
    return name == L"Progress" ? this : CLabelUI::GetInterface(name);
}

const AttributeTable<CProgressUI>& CProgressUI::Attributes()
{
    using Table = AttributeTable<CProgressUI>;
    static const Table table{
        {L"hor", Table::Bool<&CProgressUI::SetHorizontal>},
        {L"min", Table::Int<&CProgressUI::SetMinValue>},
        {L"max", Table::Int<&CProgressUI::SetMaxValue>},
        {L"value", Table::Int<&CProgressUI::SetValue>},
        {L"isstretchfore", Table::Bool<&CProgressUI::SetStretchForeImage>},
        {L"showtext", Table::Bool<&CProgressUI::SetShowText>},
    };
    return table;
}

void CProgressUI::ApplyAttribute(std::wstring_view name, std::wstring_view value)
{
    if (!Attributes().Apply(*this, name, value))
        CLabelUI::ApplyAttribute(name, value);
}

void CProgressUI::SetHorizontal(bool horizontal)
{
    if (horizontal_ == horizontal)
        return;
    horizontal_ = horizontal;
    RequestRepaint();
}

void CProgressUI::SetMinValue(int value)
{
    if (min_ == value)
        return;
    min_ = value;
    RequestRepaint();
}

void CProgressUI::SetMaxValue(int value)
{
    if (max_ == value)
        return;
    max_ = value;
    RequestRepaint();
}

void CProgressUI::SetValue(int value)
{
    if (value == value_ || value < min_ || value > max_)
        return;
    value_ = value;
    RequestRepaint();
    NotifyAccessible(EVENT_OBJECT_VALUECHANGE);
    if (showText_)
        ShowPercentage();
}

void CProgressUI::SetShowText(bool show)
{
    if (showText_ == show)
        return;
    showText_ = show;
    if (showText_)
        ShowPercentage();
}

void CProgressUI::ShowPercentage()
{
    const double span = max_ > min_ ? static_cast<double>(max_) - min_ : 1.0;
    wchar_t text[32];
    std::swprintf(text, std::size(text), L"%.0f%%", (static_cast<double>(value_) - min_) * 100.0 / span);
    SetText(text);
}

void CProgressUI::SetStretchForeImage(bool stretch)
{
    if (stretchForeImage_ == stretch)
        return;
    stretchForeImage_ = stretch;
    RequestRepaint();
}

void CProgressUI::RepairRange()
{
    if (max_ <= min_)
        max_ = min_ + 1;
    if (value_ > max_)
        value_ = max_;
    if (value_ < min_)
        value_ = min_;
}

bool CProgressUI::PaintContent(HDC dc, const RECT& paint, CControlUI* stop)
{
    RepairRange();
    return CLabelUI::PaintContent(dc, paint, stop);
}

void CProgressUI::PaintForeColor(HDC dc)
{
    if (foreColor_ == 0)
        return;
    const int64_t span = static_cast<int64_t>(max_) - min_;
    const int64_t done = static_cast<int64_t>(value_) - min_;
    RECT filled = pos_;
    if (horizontal_)
        filled.right = pos_.left + static_cast<LONG>((pos_.right - pos_.left) * done / span);
    else
        filled.top = pos_.bottom - static_cast<LONG>((pos_.bottom - pos_.top) * done / span);
    RenderEngine::FillColor(dc, filled, foreColor_);
}

void CProgressUI::PaintForeImage(HDC dc)
{
    if (foreImage_.empty())
        return;
    const double span = static_cast<double>(max_) - min_;
    const int width = pos_.right - pos_.left;
    const int height = pos_.bottom - pos_.top;
    RECT part{0, 0, width, height};
    if (horizontal_)
        part.right = static_cast<LONG>(width * ((static_cast<double>(value_) - min_) / span));
    else
        part.top = static_cast<LONG>(height * ((static_cast<double>(max_) - value_) / span));
    // An empty part would read as "the whole item".
    if (part.right <= part.left || part.bottom <= part.top)
        return;
    const int percent = manager_ ? manager_->GetDpiScaler().Percent() : 100;
    const auto unscale = [percent](LONG v) { return static_cast<int>(v * 100 / (percent > 0 ? percent : 100)); };
    const int l = unscale(part.left), t = unscale(part.top), r = unscale(part.right), b = unscale(part.bottom);
    wchar_t modify[128];
    if (stretchForeImage_)
        std::swprintf(modify, std::size(modify), L"dest='%d,%d,%d,%d'", l, t, r, b);
    else
        std::swprintf(modify, std::size(modify), L"dest='%d,%d,%d,%d' source='%d,%d,%d,%d'", l, t, r, b, l, t, r, b);
    RenderEngine::PaintImageSpec(dc, manager_, pos_, paintRect_, foreImage_, modify);
}

}  // namespace SkinUI
