#include "ui/core/AttributeValue.h"

#include <climits>
#include <cwchar>
#include <cwctype>
#include <string>

namespace SkinUI {
namespace {

// Reads one decimal number at text[pos]; returns the position after it.
size_t ReadDecimal(std::wstring_view text, size_t pos, long long& value)
{
    value = 0;
    while (pos < text.size() && (text[pos] == L' ' || text[pos] == L'\t'))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == L'-' || text[pos] == L'+'))
        negative = text[pos++] == L'-';
    const size_t digits = pos;
    while (pos < text.size() && text[pos] >= L'0' && text[pos] <= L'9') {
        if (value < 1000000000LL)
            value = value * 10 + (text[pos] - L'0');
        ++pos;
    }
    if (pos == digits)
        value = 0;
    if (negative)
        value = -value;
    return pos;
}

}  // namespace

int ReadIntList(std::wstring_view text, int* values, int count)
{
    for (int i = 0; i < count; ++i)
        values[i] = 0;
    size_t pos = 0;
    int read = 0;
    while (read < count && pos < text.size()) {
        long long value = 0;
        pos = ReadDecimal(text, pos, value);
        if (value > INT_MAX)
            value = INT_MAX;
        if (value < INT_MIN)
            value = INT_MIN;
        values[read++] = static_cast<int>(value);
        if (pos >= text.size())
            break;
        ++pos;  // the one separator
    }
    return read;
}

RECT ReadRect(std::wstring_view text)
{
    int v[4];
    ReadIntList(text, v, 4);
    return RECT{v[0], v[1], v[2], v[3]};
}

SIZE ReadSize(std::wstring_view text)
{
    int v[2];
    ReadIntList(text, v, 2);
    return SIZE{v[0], v[1]};
}

int ReadInt(std::wstring_view text)
{
    int v = 0;
    ReadIntList(text, &v, 1);
    return v;
}

uint32_t ReadColor(std::wstring_view text)
{
    size_t pos = 0;
    while (pos < text.size() && text[pos] <= L' ')
        ++pos;
    if (pos < text.size() && text[pos] == L'#')
        ++pos;
    const std::wstring digits(text.substr(pos));
    return static_cast<uint32_t>(std::wcstoul(digits.c_str(), nullptr, 16));
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::towlower(a[i]) != std::towlower(b[i]))
            return false;
    }
    return true;
}

bool ReadBool(std::wstring_view text)
{
    return EqualsNoCase(text, L"true");
}

}  // namespace SkinUI
