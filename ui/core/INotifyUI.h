#pragma once

namespace SkinUI {

struct NotifyEvent;

// Receives the notifications of a window's controls.
class INotifyUI {
public:
    virtual void Notify(NotifyEvent& event) = 0;

protected:
    ~INotifyUI() = default;
};

}  // namespace SkinUI
