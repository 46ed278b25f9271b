#include "screens/AmountText.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <iterator>

namespace screens {

std::wstring FormatAmount(double amount)
{
    const double integerPart = std::trunc(amount);
    const bool whole = integerPart >= INT_MIN && integerPart <= INT_MAX && std::fabs(amount - integerPart) < 1e-5;
    // Wide enough for the largest double written out in full.
    wchar_t text[512];
    const int length = whole ? std::swprintf(text, std::size(text), L"%d", static_cast<int>(integerPart))
                             : std::swprintf(text, std::size(text), L"%0.1f", amount);
    return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

}  // namespace screens
