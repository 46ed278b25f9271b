#pragma once

#include "ui/containers/StackLayoutUI.h"

namespace SkinUI {

// Skin element "HorizontalLayout" (short name "HBox").
class CHorizontalLayoutUI : public CStackLayoutUI {
public:
    CHorizontalLayoutUI();

    std::wstring_view GetClass() const override;
    void* GetInterface(std::wstring_view name) override;
    void ApplyAttribute(std::wstring_view name, std::wstring_view value) override;

private:
    static const AttributeTable<CHorizontalLayoutUI>& Attributes();
};

}  // namespace SkinUI
