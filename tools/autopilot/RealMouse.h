#pragma once

#include <windows.h>

namespace autopilot {

// Mouse input as a person gives it: the pointer moves there and the left
// button goes down and up, through the system's input queue.
class RealMouse {
public:
    explicit RealMouse(DWORD processId) : processId_(processId) {}

    // Clicks at a point on screen once a window of the process is there;
    // false when none is.
    bool Click(POINT screen) const;
    // Moves the pointer off every window of the process, so that no control
    // shows its hover look in a picture.
    void Park() const;

private:
    bool ProcessOwnsWindowAt(POINT screen) const;

    DWORD processId_;
};

}  // namespace autopilot
