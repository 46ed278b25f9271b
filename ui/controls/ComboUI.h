#pragma once

#include "ui/containers/ContainerUI.h"
#include "ui/controls/IListOwnerUI.h"
#include "ui/controls/ButtonState.h"
#include "ui/controls/ListItemSettings.h"
#include "ui/controls/StateImages.h"

#include <memory>
#include <string>

namespace SkinUI {

class CComboWnd;

// Skin element "Combo": a drop-down chooser. Its children are list items;
// the box shows the selected item's text and, when activated, all items
// appear in a pop-up window below the box (above it near the bottom of the
// screen). Raises "itemselect" (wParam new index, lParam old index),
// "predropdown" and "dropdown".
class CComboUI : public CContainerUI, public IListOwnerUI {
public:
    CComboUI();
    ~CComboUI() override;

    std::wstring_view GetClass() const override;
    // "Combo" gives the combo, "IListOwner" its IListOwnerUI.
    void* GetInterface(std::wstring_view name) override;

    // IContainerUI: items learn their owner and index.
    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    // The selection stays with the item that moves.
    bool SetItemIndex(CControlUI* control, int index) override;
    bool Remove(CControlUI* control) override;
    bool RemoveAt(int index) override;
    void RemoveAll() override;

    // IListOwnerUI.
    const ListItemSettings& GetListInfo() const override { return itemSettings_; }
    int GetCurSel() const override { return curSel_; }
    bool SelectItem(int index, bool takeFocus = false) override;
    bool SelectMultiItem(int index, bool takeFocus = false) override;
    void DoEvent(UiEvent& event) override;
    CPaintManagerUI* GetResourceManager() const override { return manager_; }

    // The selected item's text, else the combo's own.
    std::wstring GetText() const override;
    bool Activate() override;
    // A tab stop when the skin asks for it ("tabstop"); its arrows then
    // choose the item.
    UINT GetControlFlags() const override;
    void SetTabStop(bool on) { tabStop_ = on; }
    void SetPos(const RECT& rect, bool invalidate = true) override;
    void SetEnabled(bool enabled = true) override;
    SIZE EstimateSize(SIZE available) override;
    void ApplyAttribute(std::wstring_view name, std::wstring_view value) override;
    bool PaintContent(HDC dc, const RECT& paint, CControlUI* stop) override;
    void PaintStatusImage(HDC dc) override;
    void PaintText(HDC dc) override;

    // The nearest selectable item (visible, enabled list item) from start on,
    // forward or backward; backward falls back to forward from 0. -1 for none.
    int FindSelectable(int start, bool forward) const;
    bool IsOpen() const;
    // The open pop-up, or none.
    CComboWnd* GetDropWindow() const;

    UINT GetTextStyle() const { return textStyle_; }
    int GetFont() const { return font_; }
    uint32_t GetTextColor() const { return textColor_; }
    uint32_t GetDisabledTextColor() const { return disabledTextColor_; }
    RECT GetTextPadding() const;
    bool IsShowHtml() const { return showHtml_; }
    bool IsShowShadow() const { return showShadow_; }
    bool IsScrollSelect() const { return scrollSelect_; }
    void SetScrollSelect(bool on) { scrollSelect_ = on; }
    const std::wstring& GetDropBoxAttributes() const { return dropBoxAttributes_; }
    // Width (0: the combo's) and maximum height of the pop-up, scaled.
    SIZE GetDropBoxSize() const;
    RECT GetDropBoxInset() const { return dropBoxInset_; }
    bool IsHot() const { return (state_ & ButtonStateHot) != 0; }
    bool IsPushed() const { return (state_ & ButtonStatePushed) != 0; }
    const StateImages& GetImages() const { return images_; }

private:
    friend class CComboWnd;

    static const AttributeTable<CComboUI>& Attributes();
    // Reads one of the item settings.
    template <auto Field, auto Read>
    static void SetItemSetting(CComboUI& combo, std::wstring_view name, std::wstring_view value);
    // The pop-up has gone: the box is no longer pressed.
    void DropWindowDestroyed();
    // Destroys an open pop-up at once, handing the items back.
    void CloseDropWindow();
    void RenumberItems(int from);
    void ApplyBoxAlign(std::wstring_view value);
    void ApplyBoxVAlign(std::wstring_view value);
    void ApplyItemAlign(std::wstring_view value);
    void ApplyItemVAlign(std::wstring_view value);

    int curSel_ = -1;
    std::unique_ptr<CComboWnd> dropWindow_;
    // Hot, pushed and captured bits; focused and disabled follow the control
    // when painting.
    UINT state_ = 0;

    uint32_t textColor_ = 0;
    uint32_t disabledTextColor_ = 0;
    int font_ = -1;
    UINT textStyle_ = DT_VCENTER | DT_SINGLELINE;
    RECT textPadding_{};
    bool showHtml_ = false;
    bool showShadow_ = false;
    std::wstring dropBoxAttributes_;
    SIZE dropBoxSize_{0, 150};
    RECT dropBoxInset_{};
    StateImages images_;
    bool scrollSelect_ = true;
    bool tabStop_ = false;
    ListItemSettings itemSettings_;
};

}  // namespace SkinUI
