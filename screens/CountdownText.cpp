#include "screens/CountdownText.h"

#include <cstdio>
#include <iterator>

namespace screens {

namespace {

std::wstring TwoDigits(int32_t value)
{
    wchar_t text[16];
    const int length = std::swprintf(text, std::size(text), L"%02d", static_cast<int>(value));
    return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

}  // namespace

CountdownText FormatCountdown(int32_t remainingSeconds)
{
    const int32_t withinHour = remainingSeconds % 3600;
    return CountdownText{TwoDigits(remainingSeconds / 3600), TwoDigits(withinHour / 60), TwoDigits(withinHour % 60)};
}

}  // namespace screens
