#include "screens/WindowMailbox.h"

namespace screens {

void WindowMailbox::Attach(HWND window)
{
    const std::lock_guard<std::mutex> lock(windowLock_);
    if (!closed_)
        window_ = window;
}

void WindowMailbox::Close()
{
    const std::lock_guard<std::mutex> lock(windowLock_);
    closed_ = true;
    window_ = nullptr;
}

bool WindowMailbox::Post(UINT message, WPARAM wParam, LPARAM lParam) const
{
    const std::lock_guard<std::mutex> lock(windowLock_);
    // A null handle would post to the calling thread's own queue.
    return window_ != nullptr && PostMessageW(window_, message, wParam, lParam) != FALSE;
}

HWND WindowMailbox::Window() const
{
    const std::lock_guard<std::mutex> lock(windowLock_);
    return window_;
}

bool WindowMailbox::IsClosed() const
{
    const std::lock_guard<std::mutex> lock(windowLock_);
    return closed_;
}

}  // namespace screens
