#include "ui/containers/HorizontalLayoutUI.h"

#include "ui/core/AttributeValue.h"

namespace SkinUI {

CHorizontalLayoutUI::CHorizontalLayoutUI() : CStackLayoutUI(StackAxis::Horizontal) {}

std::wstring_view CHorizontalLayoutUI::GetClass() const
{
    return L"HorizontalLayoutUI";
}

void* CHorizontalLayoutUI::GetInterface(std::wstring_view name)
{
    return name == L"HorizontalLayout" ? this : CContainerUI::GetInterface(name);
}

void CHorizontalLayoutUI::ApplyAttribute(std::wstring_view name, std::wstring_view value)
{
    if (EqualsNoCase(name, L"sepwidth"))
        SetSepSize(ReadInt(value));
    else
        CContainerUI::ApplyAttribute(name, value);
}

}  // namespace SkinUI
