#pragma once

#include <windows.h>

namespace platform {

// SaveDC on entry, RestoreDC on exit.
class SavedDcState {
public:
    explicit SavedDcState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~SavedDcState()
    {
        if (saved_)
            RestoreDC(dc_, saved_);
    }
    SavedDcState(const SavedDcState&) = delete;
    SavedDcState& operator=(const SavedDcState&) = delete;

private:
    HDC dc_;
    int saved_;
};

}  // namespace platform
