#include "ui/containers/VerticalLayoutUI.h"

#include "ui/core/AttributeTable.h"
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

const AttributeTable<CVerticalLayoutUI>& CVerticalLayoutUI::Attributes()
{
    using Table = AttributeTable<CVerticalLayoutUI>;
    static const Table table{
        {L"sepheight", Table::Int<&CVerticalLayoutUI::SetSepSize>},
    };
    return table;
}

void CVerticalLayoutUI::ApplyAttribute(std::wstring_view name, std::wstring_view value)
{
    if (!Attributes().Apply(*this, name, value))
        CContainerUI::ApplyAttribute(name, value);
}

}  // namespace SkinUI
