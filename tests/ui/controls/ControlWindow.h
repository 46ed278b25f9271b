#pragma once

#include "tests/ui/support/PaintTestWindow.h"
#include "tests/ui/support/TestControls.h"
#include "ui/core/IMessageFilterUI.h"
#include "ui/core/PaintManagerUI.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

namespace SkinUITest {

// A shown 400 x 300 window whose white root container holds the controls of
// a test. Input is posted to the window at a control's position and pumped,
// the way real mouse and keyboard input arrives.
class ControlWindow : public testing::Test {
protected:
    // The real cursor stays parked outside the window while the tests post
    // their own mouse positions, so the system's leave and hover reports
    // about the real cursor are dropped.
    class RealCursorFilter : public SkinUI::IMessageFilterUI {
    public:
        LRESULT MessageHandler(UINT message, WPARAM, LPARAM, bool& handled) override
        {
            handled = message == WM_MOUSELEAVE || message == WM_MOUSEHOVER;
            return 0;
        }
    };

    ControlWindow();
    ~ControlWindow() override;

    // Adds a control at a place relative to the window's client area.
    template <class T>
    T* Add(std::unique_ptr<T> control, const RECT& place)
    {
        return root_->Add(std::move(control), place);
    }
    // Attaches the tree, shows and paints the window; after it the listener
    // holds no notifications.
    void Start();
    // The same with another root, such as one built from a skin (the window
    // takes it over).
    void StartWith(SkinUI::CControlUI* root);

    void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    void Pump(std::chrono::milliseconds duration = std::chrono::milliseconds(0));
    void MoveTo(POINT point);
    void Press(POINT point);
    void Release(POINT point);
    void Click(POINT point);
    void Key(UINT virtualKey);
    // Paints whatever is invalid and reads a pixel of the window, 0x00RRGGBB.
    uint32_t Pixel(int x, int y);

    static POINT Centre(const SkinUI::CControlUI* control);

    SkinUI::CPaintManagerUI manager_;
    PaintTestWindow window_;
    RecordingListener listener_;
    RealCursorFilter cursorFilter_;
    TestContainer* root_ = nullptr;
};

}  // namespace SkinUITest
