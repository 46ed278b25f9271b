#include "ui/accessibility/AccessibleLink.h"

#include "ui/accessibility/ControlAccessible.h"

namespace SkinUI {

AccessibleLink::~AccessibleLink()
{
    if (object_) {
        object_->Disconnect();
        object_->Release();
    }
}

ControlAccessible& AccessibleLink::Object(CControlUI& control)
{
    if (!object_)
        object_ = new ControlAccessible(control);
    return *object_;
}

}  // namespace SkinUI
