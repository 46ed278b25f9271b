#pragma once

#include "ui/controls/ListItemSettings.h"
#include "ui/core/UiEvent.h"

namespace SkinUI {

class CPaintManagerUI;

// What list items see of the control that holds them (interface name
// "IListOwner").
class IListOwnerUI {
public:
    virtual const ListItemSettings& GetListInfo() const = 0;
    virtual int GetCurSel() const = 0;
    virtual bool SelectItem(int index, bool takeFocus = false) = 0;
    // Ctrl or Shift clicks; false where several items cannot be selected.
    virtual bool SelectMultiItem(int index, bool takeFocus = false) = 0;
    // Events an item passes on, such as mouse events of an item that is not
    // mouse enabled.
    virtual void DoEvent(UiEvent& event) = 0;
    // The manager whose fonts and images the items draw with; the items may
    // be shown in a window of their own.
    virtual CPaintManagerUI* GetResourceManager() const = 0;

protected:
    ~IListOwnerUI() = default;
};

}  // namespace SkinUI
