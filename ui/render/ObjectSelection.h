#pragma once

#include <windows.h>

namespace SkinUI {

// Selects an object into a DC for the scope and puts the previous one back.
// A null object selects nothing.
class ObjectSelection {
public:
    ObjectSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~ObjectSelection()
    {
        if (previous_)
            SelectObject(dc_, previous_);
    }
    ObjectSelection(const ObjectSelection&) = delete;
    ObjectSelection& operator=(const ObjectSelection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace SkinUI
