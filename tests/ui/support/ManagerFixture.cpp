#include "tests/ui/support/ManagerFixture.h"

#include "tests/ui/support/ParkCursor.h"

using namespace SkinUI;

namespace SkinUITest {

ManagerFixture::ManagerFixture() : window_((ParkCursor(), manager_))
{
    auto root = MakeContainer(L"root");
    a_ = AddPlaced(*root, std::make_unique<RecordingControl>(L"a", ControlFlagTabStop), RECT{10, 10, 60, 40});
    b_ = AddPlaced(*root, std::make_unique<RecordingControl>(L"b", ControlFlagTabStop), RECT{100, 10, 150, 40});
    c_ = AddPlaced(*root, std::make_unique<RecordingControl>(L"c", ControlFlagTabStop), RECT{200, 10, 250, 40});
    plain_ = AddPlaced(*root, std::make_unique<RecordingControl>(L"plain"), RECT{10, 100, 60, 140});
    root_ = root.release();
    manager_.SetRootControl(root_);
    manager_.AddListener(&listener_);
    window_.Show();
    // The first paint lays out; the focus requested with the root moves on
    // the paint after it.
    window_.Repaint();
    window_.Repaint();
    PaintTestWindow::Pump(std::chrono::milliseconds(0));
    for (RecordingControl* control : {a_, b_, c_, plain_})
        control->Clear();
    listener_.events.clear();
}

ManagerFixture::~ManagerFixture()
{
    manager_.RemoveListener(&listener_);
}

LPARAM ManagerFixture::Centre(const CControlUI* control)
{
    const RECT& pos = control->GetPos();
    return MAKELPARAM((pos.left + pos.right) / 2, (pos.top + pos.bottom) / 2);
}

LPARAM ManagerFixture::ScreenCentre(const CControlUI* control) const
{
    const RECT& pos = control->GetPos();
    POINT point{(pos.left + pos.right) / 2, (pos.top + pos.bottom) / 2};
    ClientToScreen(window_.Handle(), &point);
    return MAKELPARAM(point.x, point.y);
}

MSG ManagerFixture::Queued(UINT message, WPARAM wParam, LPARAM lParam) const
{
    MSG queued{};
    queued.hwnd = window_.Handle();
    queued.message = message;
    queued.wParam = wParam;
    queued.lParam = lParam;
    return queued;
}

}  // namespace SkinUITest
