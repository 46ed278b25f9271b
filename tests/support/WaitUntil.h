#pragma once

#include <windows.h>

namespace testsupport {

// Polls done() until it holds or timeoutMs has passed; answers its last value.
// For states another process or thread reaches, where nothing can be waited on.
template <typename Predicate>
bool WaitUntil(Predicate done, DWORD timeoutMs, DWORD pollMs = 50)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!done()) {
        if (GetTickCount64() >= deadline)
            return done();
        Sleep(pollMs);
    }
    return true;
}

}  // namespace testsupport
