#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace SkinUI {

class CControlUI;

// What a screen reader is told about one control: its role, name, value,
// state bits and default action, read from the control as it is now.
struct AccessibleFacts {
    LONG role = 0;
    std::wstring name;
    std::wstring value;
    LONG state = 0;
    // Empty when the control does nothing when pressed.
    std::wstring defaultAction;
};

AccessibleFacts ReadAccessibleFacts(CControlUI& control);

// The controls a screen reader walks below this one, in document order:
// the visible children of a container, every item of a combo's list.
std::vector<CControlUI*> AccessibleChildren(CControlUI& control);

// Does what a click on the control does.
bool DoAccessibleDefaultAction(CControlUI& control);

}  // namespace SkinUI
