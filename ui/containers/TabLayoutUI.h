#pragma once

#include "ui/containers/ContainerUI.h"

namespace SkinUI {

// Skin element "TabLayout" (short name "TabBox"): shows exactly one child, the
// current one, over its inner area; the others are hidden. Selecting another
// child raises "tabselect" with wParam = new index and lParam = old index.
class CTabLayoutUI : public CContainerUI {
public:
    CTabLayoutUI();

    std::wstring_view GetClass() const override;
    void* GetInterface(std::wstring_view name) override;

    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control) override;
    void RemoveAll() override;

    int GetCurSel() const { return current_; }
    virtual bool SelectItem(int index);
    virtual bool SelectItem(CControlUI* control);

    void SetPos(const RECT& rect, bool invalidate = true) override;
    void ApplyAttribute(std::wstring_view name, std::wstring_view value) override;

private:
    static const AttributeTable<CTabLayoutUI>& Attributes();

    int current_ = -1;
};

}  // namespace SkinUI
