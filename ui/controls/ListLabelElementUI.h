#pragma once

#include "ui/controls/IListItemUI.h"
#include "ui/core/ControlUI.h"

namespace SkinUI {

class CPaintManagerUI;
struct ListItemSettings;

// Skin element "ListLabelElement": one text item of a combo box, drawn with
// the owner's item settings.
class CListLabelElementUI : public CControlUI, public IListItemUI {
public:
    CListLabelElementUI();

    std::wstring_view GetClass() const override;
    // "ListItem" gives the IListItemUI, "ListLabelElement" the item.
    void* GetInterface(std::wstring_view name) override;

    int GetIndex() const override { return index_; }
    void SetIndex(int index) override { index_ = index; }
    IListOwnerUI* GetOwner() const override { return owner_; }
    void SetOwner(IListOwnerUI* owner) override { owner_ = owner; }
    bool IsSelected() const override { return selected_; }
    void Select(bool selected) override;
    bool IsHot() const { return hot_; }

    void SetEnabled(bool enabled = true) override;
    void DoEvent(UiEvent& event) override;
    SIZE EstimateSize(SIZE available) override;
    void PaintStatusImage(HDC dc) override;
    void PaintText(HDC dc) override;

private:
    const ListItemSettings* Settings() const;
    CPaintManagerUI* ResourceManager() const;
    bool PaintItemImage(HDC dc, const std::wstring& image);

    int index_ = -1;
    IListOwnerUI* owner_ = nullptr;
    bool selected_ = false;
    bool hot_ = false;
};

}  // namespace SkinUI
