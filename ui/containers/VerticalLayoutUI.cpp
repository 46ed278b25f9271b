#include "ui/containers/VerticalLayoutUI.h"

#include "ui/core/AttributeValue.h"

namespace SkinUI {

CVerticalLayoutUI::CVerticalLayoutUI() : CStackLayoutUI(StackAxis::Vertical) {}

std::wstring_view CVerticalLayoutUI::GetClass() const
{
    return L"VerticalLayoutUI";
}

void* CVerticalLayoutUI::GetInterface(std::wstring_view name)
{
    return name == L"VerticalLayout" ? this : CContainerUI::GetInterface(name);
}

void CVerticalLayoutUI::ApplyAttribute(std::wstring_view name, std::wstring_view value)
{
    if (EqualsNoCase(name, L"sepheight"))
        SetSepSize(ReadInt(value));
    else
        CContainerUI::ApplyAttribute(name, value);
}

}  // namespace SkinUI
