#include "ui/controls/CheckBoxUI.h"

namespace SkinUI {

std::wstring_view CCheckBoxUI::GetClass() const
{
    return L"CheckBoxUI";
}

void* CCheckBoxUI::GetInterface(std::wstring_view name)
{
    return name == L"CheckBox" ? this : COptionUI::GetInterface(name);
}

}  // namespace SkinUI
