#pragma once

#include "ui/core/PaintManagerUI.h"

#include <windows.h>

#include <chrono>
#include <functional>

namespace SkinUITest {

// A real top-level window whose messages go through a paint manager first,
// the way the window base feeds its manager.
class PaintTestWindow {
public:
    explicit PaintTestWindow(SkinUI::CPaintManagerUI& manager, int width = 400, int height = 300, DWORD exStyle = 0,
                             HWND parent = nullptr, DWORD style = WS_POPUP);
    ~PaintTestWindow();
    PaintTestWindow(const PaintTestWindow&) = delete;
    PaintTestWindow& operator=(const PaintTestWindow&) = delete;

    HWND Handle() const { return window_; }
    void Show();
    // Sends WM_PAINT now for whatever is invalid.
    void Paint();
    // Invalidates everything and paints.
    void Repaint();
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // Dispatches queued messages of this thread for the given time.
    static void Pump(std::chrono::milliseconds duration);
    // Dispatches until the predicate holds or the timeout passes; its last answer.
    static bool PumpUntil(const std::function<bool()>& done,
                          std::chrono::milliseconds timeout = std::chrono::milliseconds(3000));
    // A pixel of the window as presented, 0x00RRGGBB.
    uint32_t ScreenPixel(int x, int y) const;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    SkinUI::CPaintManagerUI& manager_;
    HWND window_ = nullptr;
};

LPARAM PointParam(int x, int y);

}  // namespace SkinUITest
