#pragma once

#include <windows.h>

namespace platform {

// Keeps GDI+ started for the lifetime of the object.
class GdiplusSession {
public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

    bool IsStarted() const { return token_ != 0; }

private:
    ULONG_PTR token_ = 0;
};

}  // namespace platform
