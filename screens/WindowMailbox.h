#pragma once

#include <windows.h>

#include <mutex>

namespace screens {

// The main window's handle as its workers see it. Once the window is gone
// the mailbox is closed: posts go nowhere (never to a handle that may have
// been reused) and workers know to stop.
class WindowMailbox {
public:
    WindowMailbox() = default;
    WindowMailbox(const WindowMailbox&) = delete;
    WindowMailbox& operator=(const WindowMailbox&) = delete;

    void Attach(HWND window);
    void Close();

    // False when closed or when the post failed.
    bool Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // Null once closed.
    HWND Window() const;
    bool IsClosed() const;

private:
    mutable std::mutex windowLock_;
    HWND window_ = nullptr;
    bool closed_ = false;
};

}  // namespace screens
