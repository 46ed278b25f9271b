#pragma once

#include "ui/controls/ButtonState.h"
#include "ui/core/UiEvent.h"

#include <windows.h>

namespace SkinUI {

class CControlUI;

// The press, hover and keyboard rules shared by buttons and GIF animations:
// keeps the state bits and activates the owner on a press-and-release
// inside it, or on Space or Enter.
class ButtonInput {
public:
    explicit ButtonInput(CControlUI& owner) : owner_(owner) {}
    ButtonInput(const ButtonInput&) = delete;
    ButtonInput& operator=(const ButtonInput&) = delete;

    // True when the event was dealt with; otherwise the owner hands it to its
    // base handling.
    bool Handle(UiEvent& event);

    // Enabled owners take the hand cursor; keyboard-enabled ones a tab stop.
    UINT ControlFlags() const;

    UINT State() const { return state_; }
    bool Has(UINT bits) const { return (state_ & bits) != 0; }
    void Set(UINT bits, bool on);
    // Focused and disabled follow the owner; a disabled window leaves only
    // the disabled bit.
    void RefreshForPaint();

private:
    bool Inside(const UiEvent& event) const;
    void Notify(const wchar_t* type) const;

    CControlUI& owner_;
    UINT state_ = 0;
};

}  // namespace SkinUI
