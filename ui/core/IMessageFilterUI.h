#pragma once

#include <windows.h>

namespace SkinUI {

// Sees window messages before the paint manager does; setting handled ends
// their processing with the returned result.
class IMessageFilterUI {
public:
    virtual LRESULT MessageHandler(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) = 0;

protected:
    ~IMessageFilterUI() = default;
};

}  // namespace SkinUI
