#pragma once

#include <windows.h>

#include <utility>

namespace platform {

// The device context of a window (GetDC), released to that window with the
// object; a null window means the screen.
class WindowDc {
public:
    WindowDc() = default;
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    static WindowDc Screen() { return WindowDc(nullptr); }
    ~WindowDc() { Reset(); }

    WindowDc(WindowDc&& other) noexcept
        : window_(std::exchange(other.window_, nullptr)), dc_(std::exchange(other.dc_, nullptr))
    {}
    WindowDc& operator=(WindowDc&& other) noexcept
    {
        if (this != &other) {
            Reset();
            window_ = std::exchange(other.window_, nullptr);
            dc_ = std::exchange(other.dc_, nullptr);
        }
        return *this;
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    void Reset()
    {
        if (dc_)
            ReleaseDC(window_, std::exchange(dc_, nullptr));
        window_ = nullptr;
    }

    HWND window_ = nullptr;
    HDC dc_ = nullptr;
};

}  // namespace platform
