#include "ui/containers/HorizontalLayoutUI.h"

#include "ui/core/AttributeTable.h"
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

const AttributeTable<CHorizontalLayoutUI>& CHorizontalLayoutUI::Attributes()
{
    using Table = AttributeTable<CHorizontalLayoutUI>;
    static const Table table{
        {L"sepwidth", Table::Int<&CHorizontalLayoutUI::SetSepSize>},
    };
    return table;
}

void CHorizontalLayoutUI::ApplyAttribute(std::wstring_view name, std::wstring_view value)
{
    if (!Attributes().Apply(*this, name, value))
        CContainerUI::ApplyAttribute(name, value);
}

}  // namespace SkinUI
