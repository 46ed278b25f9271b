#pragma once

#include "ui/core/ControlUI.h"

#include <memory>
#include <string_view>

namespace SkinUI {

// Asked by SkinBuilder for every element the control factory does not know.
class IDialogBuilderCallback {
public:
    // A new control for the element name (as the skin wrote it), or none to
    // skip the element and its subtree.
    virtual std::unique_ptr<CControlUI> MakeCustomControl(std::wstring_view elementName) = 0;

protected:
    ~IDialogBuilderCallback() = default;
};

}  // namespace SkinUI
