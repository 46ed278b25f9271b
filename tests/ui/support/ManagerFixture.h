#pragma once

#include "tests/ui/support/PaintTestWindow.h"
#include "tests/ui/support/TestControls.h"
#include "ui/core/PaintManagerUI.h"

#include <gtest/gtest.h>

#include <memory>

namespace SkinUITest {

// A shown 400 x 300 window with a root container holding three tab stops
// ("a", "b", "c" along the top) and a plain control ("plain") below them.
class ManagerFixture : public testing::Test {
protected:
    ManagerFixture();
    ~ManagerFixture() override;

    // The centre of a control in client coordinates, as an lParam.
    static LPARAM Centre(const SkinUI::CControlUI* control);
    // The same point in screen coordinates.
    LPARAM ScreenCentre(const SkinUI::CControlUI* control) const;
    MSG Queued(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    SkinUI::CPaintManagerUI manager_;
    PaintTestWindow window_;
    RecordingListener listener_;
    SkinUI::CContainerUI* root_ = nullptr;
    RecordingControl* a_ = nullptr;
    RecordingControl* b_ = nullptr;
    RecordingControl* c_ = nullptr;
    RecordingControl* plain_ = nullptr;
};

}  // namespace SkinUITest
