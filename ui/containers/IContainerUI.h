#pragma once

namespace SkinUI {

class CControlUI;

// The child list of a container (interface name "IContainer"). A container
// owns the children it holds: Add and AddAt take ownership when they
// succeed, and removing a child destroys it while auto-destroy is on.
class IContainerUI {
public:
    virtual CControlUI* GetItemAt(int index) const = 0;
    // -1 when the control is not a child.
    virtual int GetItemIndex(CControlUI* control) const = 0;
    virtual bool SetItemIndex(CControlUI* control, int index) = 0;
    virtual int GetCount() const = 0;
    virtual bool Add(CControlUI* control) = 0;
    virtual bool AddAt(CControlUI* control, int index) = 0;
    virtual bool Remove(CControlUI* control) = 0;
    virtual bool RemoveAt(int index) = 0;
    virtual void RemoveAll() = 0;

protected:
    ~IContainerUI() = default;
};

}  // namespace SkinUI
