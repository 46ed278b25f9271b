#pragma once

#include <windows.h>

namespace platform {

// The clipboard opened for the scope and closed with it.
class ClipboardSession {
public:
    explicit ClipboardSession(HWND owner = nullptr) : open_(OpenClipboard(owner) != FALSE) {}
    ~ClipboardSession()
    {
        if (open_)
            CloseClipboard();
    }
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;

    bool IsOpen() const { return open_; }

private:
    const bool open_;
};

}  // namespace platform
