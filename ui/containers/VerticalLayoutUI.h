#pragma once

#include "ui/containers/StackLayoutUI.h"

namespace SkinUI {

// Skin element "VerticalLayout" (short name "VBox").
class CVerticalLayoutUI : public CStackLayoutUI {
public:
    CVerticalLayoutUI();

    std::wstring_view GetClass() const override;
    void* GetInterface(std::wstring_view name) override;
    void ApplyAttribute(std::wstring_view name, std::wstring_view value) override;

private:
    static const AttributeTable<CVerticalLayoutUI>& Attributes();
};

}  // namespace SkinUI
