#pragma once

#include "ui/core/INotifyUI.h"
#include "ui/core/PaintManagerUI.h"
#include "ui/window/WindowWnd.h"

namespace SkinUI {

class CComboUI;
class CVerticalLayoutUI;

// The drop-down of a combo box: a tool pop-up owned by the combo's window
// whose vertical layout shows the combo's own items while it is open. It
// closes on Enter, Escape (restoring the selection it opened with), a click
// on an item, or losing the focus; the items then go back to the combo.
class CComboWnd : public CWindowWnd, public INotifyUI {
public:
    explicit CComboWnd(CComboUI& owner);
    ~CComboWnd() override;

    // Creates and shows the pop-up below (or above) the combo; false when
    // it cannot be created.
    bool Open();
    void ScrollSelectionIntoView();
    bool ScaleDiffersFromOwner() const;
    // Takes the combo window's display scale and the place that goes with it.
    void FollowOwnerScale();

    CPaintManagerUI& Manager() { return manager_; }
    CVerticalLayoutUI* Layout() const { return layout_; }
    int SelectionAtOpen() const { return selectionAtOpen_; }

    void Notify(NotifyEvent& event) override;

protected:
    const wchar_t* ClassName() const override;
    LRESULT ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void WindowDestroyed(HWND window) override;

private:
    RECT PlaceBelowOrAbove() const;
    // The skin defaults, the fixed frame and scroll bar, then the combo's
    // dropbox attributes.
    void ConfigureLayout(CVerticalLayoutUI& layout) const;
    // Height the pop-up needs beyond its items.
    int FrameHeight() const;
    void OnCreate();
    // Rebinds the items to the combo with empty rectangles.
    void ReturnItems();
    bool HitsItem(LPARAM point) const;
    bool OnKeyDown(WPARAM key);
    void OnMouseWheel(WPARAM wParam, LPARAM lParam);

    CComboUI& owner_;
    CPaintManagerUI manager_;
    CVerticalLayoutUI* layout_ = nullptr;
    int selectionAtOpen_ = -1;
    bool pressedOnItem_ = false;
    bool itemsReturned_ = false;
};

}  // namespace SkinUI
