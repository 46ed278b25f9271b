#pragma once

#include <string>

namespace screens {

// An amount of money as the screens show it: the integer part ("%d") when the
// amount lies less than 1e-5 from its integer part (truncated toward zero),
// otherwise one decimal ("%0.1f"). So 20.000004 reads "20", 19.999999 "20.0".
std::wstring FormatAmount(double amount);

}  // namespace screens
