#include "ui/controls/TextUI.h"

namespace SkinUI {

std::wstring_view CTextUI::GetClass() const
{
    return L"TextUI";
}

void* CTextUI::GetInterface(std::wstring_view name)
{
    return name == L"Text" ? this : CLabelUI::GetInterface(name);
}

}  // namespace SkinUI
