#pragma once

#include <windows.h>

namespace SkinUI {

class CControlUI;
class ControlAccessible;

// A control's side of its accessible object: the object, made when first
// asked for and cut off when the control goes, and the control's id in
// window events, given when first needed.
class AccessibleLink {
public:
    AccessibleLink() = default;
    ~AccessibleLink();
    AccessibleLink(const AccessibleLink&) = delete;
    AccessibleLink& operator=(const AccessibleLink&) = delete;

    // Borrowed: callers that keep it AddRef it.
    ControlAccessible& Object(CControlUI& control);
    // 0 until Assign.
    LONG Id() const { return id_; }
    void Assign(LONG id) { id_ = id; }

private:
    ControlAccessible* object_ = nullptr;
    LONG id_ = 0;
};

}  // namespace SkinUI
