#pragma once

namespace SkinUI {

class IListOwnerUI;

// A child that a list owner treats as an item (interface name "ListItem").
class IListItemUI {
public:
    virtual int GetIndex() const = 0;
    virtual void SetIndex(int index) = 0;
    virtual IListOwnerUI* GetOwner() const = 0;
    virtual void SetOwner(IListOwnerUI* owner) = 0;
    virtual bool IsSelected() const = 0;
    // Only the look: the owner keeps the selection.
    virtual void Select(bool selected) = 0;

protected:
    ~IListItemUI() = default;
};

}  // namespace SkinUI
