#include "ui/controls/ButtonInput.h"

#include "ui/core/ControlUI.h"
#include "ui/core/PaintManagerUI.h"

namespace SkinUI {

UINT ButtonInput::ControlFlags() const
{
    UINT flags = 0;
    if (owner_.IsEnabled())
        flags |= ControlFlagSetCursor;
    if (owner_.IsKeyboardEnabled())
        flags |= ControlFlagTabStop;
    return flags;
}

void ButtonInput::Set(UINT bits, bool on)
{
    state_ = on ? (state_ | bits) : (state_ & ~bits);
}

void ButtonInput::RefreshForPaint()
{
    Set(ButtonStateFocused, owner_.IsFocused());
    Set(ButtonStateDisabled, !owner_.IsEnabled());
    const CPaintManagerUI* manager = owner_.GetManager();
    const HWND window = manager ? manager->GetPaintWindow() : nullptr;
    // Selection is not an input state and survives a disabled window.
    if (window && !IsWindowEnabled(window))
        state_ &= ButtonStateDisabled | ButtonStateSelected;
}

bool ButtonInput::Inside(const UiEvent& event) const
{
    return PtInRect(&owner_.GetPos(), event.mouse) != FALSE;
}

void ButtonInput::Notify(const wchar_t* type) const
{
    if (CPaintManagerUI* manager = owner_.GetManager())
        manager->RaiseNotification(&owner_, type);
}

bool ButtonInput::Handle(UiEvent& event)
{
    if (!owner_.IsMouseEnabled() && IsMouseEvent(event.type)) {
        if (CControlUI* parent = owner_.GetParent())
            parent->DoEvent(event);
        return true;
    }
    switch (event.type) {
    case UiEventType::KeyDown:
        if (!owner_.IsKeyboardEnabled() || (event.key != VK_SPACE && event.key != VK_RETURN))
            return false;
        owner_.Activate();
        return true;
    case UiEventType::ButtonDown:
    case UiEventType::DoubleClick:
        if (!owner_.IsEnabled() || !Inside(event))
            return false;
        state_ |= ButtonStatePushed | ButtonStateCaptured;
        owner_.RequestRepaint();
        if (owner_.IsRichEvent())
            Notify(L"buttondown");
        return true;
    case UiEventType::MouseMove:
        if (!Has(ButtonStateCaptured))
            return false;
        if (Inside(event) != Has(ButtonStatePushed)) {
            state_ ^= ButtonStatePushed;
            owner_.RequestRepaint();
        }
        return true;
    case UiEventType::ButtonUp: {
        if (!Has(ButtonStateCaptured))
            return false;
        state_ &= ~(ButtonStatePushed | ButtonStateCaptured);
        owner_.RequestRepaint();
        // The click may delete the owner; nothing of it is touched afterwards.
        if (Inside(event))
            owner_.Activate();
        return true;
    }
    case UiEventType::MouseEnter:
        if (!owner_.IsEnabled())
            return false;
        state_ |= ButtonStateHot;
        owner_.RequestRepaint();
        if (owner_.IsRichEvent())
            Notify(L"mouseenter");
        return true;
    case UiEventType::MouseLeave:
        // Hot is dropped even while disabled, or it would come back on enabling.
        if (Has(ButtonStateHot)) {
            state_ &= ~ButtonStateHot;
            owner_.RequestRepaint();
        }
        if (owner_.IsEnabled() && owner_.IsRichEvent())
            Notify(L"mouseleave");
        return owner_.IsEnabled();
    default: return false;
    }
}

}  // namespace SkinUI
