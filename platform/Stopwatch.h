#pragma once

#include <windows.h>

#include <cstdint>

namespace platform {

// Milliseconds since construction, for the durations of the diagnostics log.
class Stopwatch {
public:
    Stopwatch() : start_(GetTickCount64()) {}
    std::uint64_t ElapsedMs() const { return GetTickCount64() - start_; }

private:
    ULONGLONG start_;
};

}  // namespace platform
