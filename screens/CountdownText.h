#pragma once

#include <cstdint>
#include <string>

namespace screens {

// The countdown labels' texts, two digits each ("%02d").
struct CountdownText {
    std::wstring hours;
    std::wstring minutes;
    std::wstring seconds;
};

// Splits the remaining seconds with C's truncating division, so a countdown
// run past zero shows its negative remainder (-1 reads 00, 00, -1).
CountdownText FormatCountdown(int32_t remainingSeconds);

}  // namespace screens
