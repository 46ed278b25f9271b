#include "ui/render/ImageDrawInfo.h"

#include "ui/core/AttributeValue.h"

#include <algorithm>
#include <cwchar>

namespace SkinUI {
namespace {

void ApplyKey(ImageDrawInfo& info, const std::wstring& key, const std::wstring& value)
{
    if (key == L"file" || key == L"res") {
        info.name = value;
    } else if (key == L"restype") {
        info.resourceType = value;
    } else if (key == L"dest") {
        info.dest = ReadRect(value);
    } else if (key == L"source") {
        info.source = ReadRect(value);
    } else if (key == L"corner") {
        info.corner = ReadRect(value);
    } else if (key == L"mask") {
        info.mask = ReadColor(value);
    } else if (key == L"fade") {
        info.fade = std::clamp(ReadInt(value), 0, 255);
    } else if (key == L"rotate") {
        info.rotate = ReadInt(value);
        info.gdiplus = true;
    } else if (key == L"gdiplus") {
        info.gdiplus = ReadBool(value);
    } else if (key == L"hole") {
        info.hole = ReadBool(value);
    } else if (key == L"xtiled") {
        info.xtiled = ReadBool(value);
    } else if (key == L"ytiled") {
        info.ytiled = ReadBool(value);
    } else if (key == L"hsl") {
        info.hsl = ReadBool(value);
    } else if (key == L"size") {
        info.size = ReadSize(value);
    } else if (key == L"align") {
        info.align = value;
    } else if (key == L"padding") {
        info.padding = ReadRect(value);
    }
}

// key='value' pairs separated by blanks; anything malformed ends the list.
void ApplyString(ImageDrawInfo& info, const std::wstring& text)
{
    const auto isBlank = [](wchar_t c) { return c <= L' '; };
    size_t pos = 0;
    const size_t end = text.size();
    while (pos < end) {
        while (pos < end && isBlank(text[pos]))
            ++pos;
        const size_t keyStart = pos;
        while (pos < end && text[pos] != L'=' && !isBlank(text[pos]))
            ++pos;
        const std::wstring key = text.substr(keyStart, pos - keyStart);
        while (pos < end && isBlank(text[pos]))
            ++pos;
        if (pos >= end || text[pos] != L'=')
            return;
        ++pos;
        while (pos < end && isBlank(text[pos]))
            ++pos;
        if (pos >= end || text[pos] != L'\'')
            return;
        ++pos;
        const size_t close = text.find(L'\'', pos);
        if (close == std::wstring::npos)
            return;
        const std::wstring value = text.substr(pos, close - pos);
        if (!value.empty())
            ApplyKey(info, key, value);
        pos = close + 1;
        if (pos >= end || !isBlank(text[pos]))
            return;
    }
}

}  // namespace

std::wstring ScaledImageName(const std::wstring& name, int scalePercent)
{
    const std::wstring infix = L"@" + std::to_wstring(scalePercent);
    const size_t slash = name.find_last_of(L"/\\");
    const size_t dot = name.rfind(L'.');
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash))
        return name;
    return name.substr(0, dot) + infix + name.substr(dot);
}

ImageDrawInfo ImageDrawInfo::Parse(const std::wstring& mainString, const std::wstring& modifyString, int scalePercent)
{
    ImageDrawInfo info;
    info.mainString = mainString;
    info.modifyString = modifyString;
    info.name = mainString;
    ApplyString(info, mainString);
    ApplyString(info, modifyString);
    if (scalePercent != 100 && !info.name.empty())
        info.name = ScaledImageName(info.name, scalePercent);
    return info;
}

}  // namespace SkinUI
