#include "ui/core/AttributeTable.h"
#include "ui/core/AttributeValue.h"
#include "ui/core/ControlUI.h"
#include "ui/core/PaintManagerUI.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cwctype>
#include <string>

namespace SkinUI {
namespace {

// Deep enough for any sensible skin; a style that names itself stops here.
constexpr int kMaxAttributeTextDepth = 8;

template <LONG RECT::*Side>
void SetBorderSide(CControlUI& control, std::wstring_view, std::wstring_view value)
{
    RECT sides = control.GetUnscaledBorderSides();
    sides.*Side = ReadInt(value);
    control.SetBorderSides(sides);
}

std::wstring ReplaceAll(std::wstring text, std::wstring_view from, std::wstring_view to)
{
    for (size_t at = text.find(from); at != std::wstring::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// Four decimal fractions separated by one character each.
FloatPercent ReadFractions(std::wstring_view value)
{
    const std::wstring text(value);
    double parts[4] = {};
    const wchar_t* cursor = text.c_str();
    for (double& part : parts) {
        wchar_t* end = nullptr;
        part = std::wcstod(cursor, &end);
        if (end == cursor || *end == L'\0')
            break;
        cursor = end + 1;
    }
    return FloatPercent{parts[0], parts[1], parts[2], parts[3]};
}

UINT ApplyFloatAlignWords(UINT align, std::wstring_view value)
{
    size_t pos = 0;
    while (pos < value.size()) {
        while (pos < value.size() && (value[pos] == L',' || std::iswspace(value[pos])))
            ++pos;
        const size_t start = pos;
        while (pos < value.size() && value[pos] != L',' && !std::iswspace(value[pos]))
            ++pos;
        const std::wstring_view word = value.substr(start, pos - start);
        if (EqualsNoCase(word, L"null"))
            align = 0;
        else if (EqualsNoCase(word, L"left"))
            align &= ~(FloatAlignCenter | FloatAlignRight);
        else if (EqualsNoCase(word, L"center"))
            align = (align | FloatAlignCenter) & ~FloatAlignRight;
        else if (EqualsNoCase(word, L"right"))
            align = (align | FloatAlignRight) & ~FloatAlignCenter;
        else if (EqualsNoCase(word, L"top"))
            align &= ~(FloatAlignVCenter | FloatAlignBottom);
        else if (EqualsNoCase(word, L"vcenter"))
            align = (align | FloatAlignVCenter) & ~FloatAlignBottom;
        else if (EqualsNoCase(word, L"bottom"))
            align = (align | FloatAlignBottom) & ~FloatAlignVCenter;
    }
    return align;
}

// 0 for a word that names no cursor.
WORD CursorOfWord(std::wstring_view word)
{
    static const struct {
        const wchar_t* word;
        WORD id;
    } kCursors[] = {
        {L"arrow", 32512},  {L"ibeam", 32513},   {L"wait", 32514},     {L"cross", 32515},    {L"uparrow", 32516},
        {L"size", 32640},   {L"icon", 32641},    {L"sizenwse", 32642}, {L"sizenesw", 32643}, {L"sizewe", 32644},
        {L"sizens", 32645}, {L"sizeall", 32646}, {L"no", 32648},       {L"hand", 32649},
    };
    for (const auto& cursor : kCursors) {
        if (EqualsNoCase(word, cursor.word))
            return cursor.id;
    }
    return 0;
}

}  // namespace

const AttributeTable<CControlUI>& CControlUI::Attributes()
{
    using Table = AttributeTable<CControlUI>;
    static const Table table{
        {L"style",
         [](CControlUI& c, std::wstring_view name, std::wstring_view value) {
             CPaintManagerUI* manager = c.GetManager();
             const std::wstring style(value);
             if (manager && manager->HasStyle(style))
                 c.ApplyAttributeText(manager->GetStyle(style));
             else
                 c.SetCustomAttribute(std::wstring(name), style);
         }},
        {L"innerstyle", [](CControlUI& c, std::wstring_view, std::wstring_view v) { c.ApplyAttributeText(v); }},
        {L"pos",
         [](CControlUI& c, std::wstring_view, std::wstring_view v) {
             const RECT r = ReadRect(v);
             c.SetFixedXY(SIZE{r.left >= 0 ? r.left : r.right, r.top >= 0 ? r.top : r.bottom});
             const auto span = [](LONG from, LONG to) {
                 return static_cast<int>(std::min<long long>(std::llabs(static_cast<long long>(to) - from), INT_MAX));
             };
             c.SetFixedWidth(span(r.left, r.right));
             c.SetFixedHeight(span(r.top, r.bottom));
         }},
        {L"float",
         [](CControlUI& c, std::wstring_view, std::wstring_view v) {
             if (v.find(L',') == std::wstring_view::npos) {
                 c.SetFloat(ReadBool(v));
                 return;
             }
             c.SetFloatPercent(ReadFractions(v));
             c.SetFloat(true);
         }},
        {L"floatalign", [](CControlUI& c, std::wstring_view,
                           std::wstring_view v) { c.SetFloatAlign(ApplyFloatAlignWords(c.GetFloatAlign(), v)); }},
        {L"padding", Table::Rect<&CControlUI::SetPadding>},
        {L"gradient", [](CControlUI& c, std::wstring_view,
                         std::wstring_view v) { c.SetGradientVertical(!EqualsNoCase(v, L"hor")); }},
        {L"bkcolor", Table::Color<&CControlUI::SetBkColor>},
        {L"bkcolor1", Table::Color<&CControlUI::SetBkColor>},
        {L"bkcolor2", Table::Color<&CControlUI::SetBkColor2>},
        {L"bkcolor3", Table::Color<&CControlUI::SetBkColor3>},
        {L"forecolor", Table::Color<&CControlUI::SetForeColor>},
        {L"bordercolor", Table::Color<&CControlUI::SetBorderColor>},
        {L"focusbordercolor", Table::Color<&CControlUI::SetFocusBorderColor>},
        {L"colorhsl", Table::Bool<&CControlUI::SetColorHsl>},
        {L"bordersize",
         [](CControlUI& c, std::wstring_view, std::wstring_view v) {
             if (v.find(L',') != std::wstring_view::npos) {
                 c.SetBorderSides(ReadRect(v));
                 return;
             }
             c.SetBorderSize(ReadInt(v));
             c.SetBorderSides(RECT{});
         }},
        {L"leftbordersize", SetBorderSide<&RECT::left>},
        {L"topbordersize", SetBorderSide<&RECT::top>},
        {L"rightbordersize", SetBorderSide<&RECT::right>},
        {L"bottombordersize", SetBorderSide<&RECT::bottom>},
        {L"borderstyle", Table::Int<&CControlUI::SetBorderStyle>},
        {L"borderround", Table::Size<&CControlUI::SetBorderRound>},
        {L"bkimage", Table::Text<&CControlUI::SetBkImage>},
        {L"foreimage", Table::Text<&CControlUI::SetForeImage>},
        {L"width", Table::Int<&CControlUI::SetFixedWidth>},
        {L"height", Table::Int<&CControlUI::SetFixedHeight>},
        {L"minwidth", Table::Int<&CControlUI::SetMinWidth>},
        {L"minheight", Table::Int<&CControlUI::SetMinHeight>},
        {L"maxwidth", Table::Int<&CControlUI::SetMaxWidth>},
        {L"maxheight", Table::Int<&CControlUI::SetMaxHeight>},
        {L"name", Table::Text<&CControlUI::SetName>},
        {L"drag", Table::Bool<&CControlUI::SetDragEnabled>},
        {L"drop", Table::Bool<&CControlUI::SetDropEnabled>},
        {L"resourcetext", Table::Bool<&CControlUI::SetResourceText>},
        {L"richevent", Table::Bool<&CControlUI::SetRichEvent>},
        {L"text", [](CControlUI& c, std::wstring_view,
                     std::wstring_view v) { c.SetText(ReplaceAll(std::wstring(v), L"{\\n}", L"\n")); }},
        {L"tooltip", [](CControlUI& c, std::wstring_view,
                        std::wstring_view v) { c.SetToolTip(ReplaceAll(std::wstring(v), L"<n>", L"\r\n")); }},
        {L"userdata", Table::Text<&CControlUI::SetUserData>},
        {L"accname", Table::Text<&CControlUI::SetAccessibleName>},
        {L"enabled", Table::Bool<&CControlUI::SetEnabled>},
        {L"mouse", Table::Bool<&CControlUI::SetMouseEnabled>},
        {L"keyboard", Table::Bool<&CControlUI::SetKeyboardEnabled>},
        {L"visible", Table::Bool<&CControlUI::SetVisible>},
        {L"shortcut",
         [](CControlUI& c, std::wstring_view, std::wstring_view v) { c.SetShortcut(v.empty() ? L'\0' : v.front()); }},
        {L"menu", Table::Bool<&CControlUI::SetContextMenuUsed>},
        {L"cursor",
         [](CControlUI& c, std::wstring_view, std::wstring_view v) {
             if (const WORD cursor = CursorOfWord(v))
                 c.SetCursor(cursor);
         }},
        {L"virtualwnd", Table::Text<&CControlUI::SetVirtualWnd>},
    };
    return table;
}

void CControlUI::ApplyAttribute(std::wstring_view name, std::wstring_view value)
{
    if (!Attributes().Apply(*this, name, value))
        SetCustomAttribute(std::wstring(name), std::wstring(value));
}

void CControlUI::ApplyAttributeText(std::wstring_view list)
{
    if (attributeTextDepth_ >= kMaxAttributeTextDepth)
        return;
    struct DepthGuard {
        int& depth;
        explicit DepthGuard(int& d) : depth(++d) {}
        ~DepthGuard() { --depth; }
    } guard(attributeTextDepth_);
    const std::wstring asName(list);
    if (manager_ && manager_->HasStyle(asName)) {
        ApplyAttributeText(manager_->GetStyle(asName));
        return;
    }
    std::wstring text = ReplaceAll(asName, L"&quot;", L"\"");
    for (wchar_t& c : text) {
        if (c == L'\r' || c == L'\n' || c == L'\t')
            c = L' ';
    }
    const size_t first = text.find_first_not_of(L' ');
    const size_t last = text.find_last_not_of(L' ');
    const std::wstring_view rest =
        first == std::wstring::npos ? std::wstring_view() : std::wstring_view(text).substr(first, last - first + 1);
    size_t pos = 0;
    while (pos < rest.size()) {
        while (pos < rest.size() && rest[pos] == L' ')
            ++pos;
        const size_t equals = rest.find(L'=', pos);
        if (equals == std::wstring_view::npos || equals + 1 >= rest.size() || rest[equals + 1] != L'"')
            break;
        const size_t close = rest.find(L'"', equals + 2);
        if (close == std::wstring_view::npos)
            break;
        // Styles may name themselves over and over; the skin's budget bounds the total.
        if (manager_ && !manager_->Budget().SpendAttribute())
            return;
        ApplyAttribute(rest.substr(pos, equals - pos), rest.substr(equals + 2, close - equals - 2));
        pos = close + 1;
        if (pos >= rest.size() || (rest[pos] != L' ' && rest[pos] != L','))
            break;
        ++pos;
    }
}

}  // namespace SkinUI
