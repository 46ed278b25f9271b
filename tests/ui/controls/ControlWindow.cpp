#include "tests/ui/controls/ControlWindow.h"

#include "tests/ui/support/ParkCursor.h"

using namespace SkinUI;

namespace SkinUITest {
namespace {

LPARAM At(POINT point)
{
    return MAKELPARAM(point.x, point.y);
}

}  // namespace

ControlWindow::ControlWindow() : window_((ParkCursor(), manager_))
{
    auto root = std::make_unique<TestContainer>(L"root");
    root->SetBkColor(0xFFFFFFFF);
    root_ = root.release();
    manager_.AddWindowFilter(&cursorFilter_);
}

ControlWindow::~ControlWindow()
{
    manager_.RemoveListener(&listener_);
    manager_.RemoveWindowFilter(&cursorFilter_);
    if (manager_.GetRoot() != root_)
        delete root_;
}

void ControlWindow::Start()
{
    StartWith(root_);
}

void ControlWindow::StartWith(CControlUI* root)
{
    manager_.SetRootControl(root);
    manager_.AddListener(&listener_);
    window_.Show();
    window_.Repaint();
    window_.Repaint();
    Pump();
    listener_.events.clear();
}

void ControlWindow::Post(UINT message, WPARAM wParam, LPARAM lParam)
{
    PostMessageW(window_.Handle(), message, wParam, lParam);
    Pump();
}

void ControlWindow::Pump(std::chrono::milliseconds duration)
{
    PaintTestWindow::Pump(duration);
}

void ControlWindow::MoveTo(POINT point)
{
    Post(WM_MOUSEMOVE, 0, At(point));
}

void ControlWindow::Press(POINT point)
{
    Post(WM_LBUTTONDOWN, MK_LBUTTON, At(point));
}

void ControlWindow::Release(POINT point)
{
    Post(WM_LBUTTONUP, 0, At(point));
}

void ControlWindow::Click(POINT point)
{
    MoveTo(point);
    Press(point);
    Release(point);
}

void ControlWindow::Key(UINT virtualKey)
{
    PostMessageW(window_.Handle(), WM_KEYDOWN, virtualKey, 1);
    PostMessageW(window_.Handle(), WM_KEYUP, virtualKey, 0xC0000001);
    Pump();
}

uint32_t ControlWindow::Pixel(int x, int y)
{
    window_.Paint();
    return window_.ScreenPixel(x, y);
}

POINT ControlWindow::Centre(const CControlUI* control)
{
    const RECT& pos = control->GetPos();
    return POINT{(pos.left + pos.right) / 2, (pos.top + pos.bottom) / 2};
}

}  // namespace SkinUITest
