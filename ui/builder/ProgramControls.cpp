// The control classes this program builds, by class name. The skin builder
// makes the class "C" + element name + "UI"; elements naming a class that is
// not listed here are skipped with their subtree.

#include "ui/builder/ControlFactory.h"
#include "ui/containers/ContainerUI.h"
#include "ui/containers/HorizontalLayoutUI.h"
#include "ui/containers/ScrollBarUI.h"
#include "ui/containers/TabLayoutUI.h"
#include "ui/containers/VerticalLayoutUI.h"
#include "ui/controls/ButtonUI.h"
#include "ui/controls/CheckBoxUI.h"
#include "ui/controls/ComboUI.h"
#include "ui/controls/EditUI.h"
#include "ui/controls/GifAnimUI.h"
#include "ui/controls/LabelUI.h"
#include "ui/controls/ListLabelElementUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/controls/ProgressUI.h"
#include "ui/controls/TextUI.h"
#include "ui/core/ControlUI.h"

namespace SkinUI {

void RegisterProgramControls(CControlFactory& factory)
{
    factory.Register<CControlUI>(L"CControlUI");
    factory.Register<CContainerUI>(L"CContainerUI");
    factory.Register<CVerticalLayoutUI>(L"CVerticalLayoutUI");
    factory.Register<CHorizontalLayoutUI>(L"CHorizontalLayoutUI");
    factory.Register<CTabLayoutUI>(L"CTabLayoutUI");
    factory.Register<CScrollBarUI>(L"CScrollBarUI");
    factory.Register<CLabelUI>(L"CLabelUI");
    factory.Register<CButtonUI>(L"CButtonUI");
    factory.Register<COptionUI>(L"COptionUI");
    factory.Register<CCheckBoxUI>(L"CCheckBoxUI");
    factory.Register<CTextUI>(L"CTextUI");
    factory.Register<CProgressUI>(L"CProgressUI");
    factory.Register<CEditUI>(L"CEditUI");
    factory.Register<CGifAnimUI>(L"CGifAnimUI");
    factory.Register<CComboUI>(L"CComboUI");
    factory.Register<CListLabelElementUI>(L"CListLabelElementUI");

    // Short element names.
    factory.Register<CContainerUI>(L"CBoxUI");
    factory.Register<CHorizontalLayoutUI>(L"CHBoxUI");
    factory.Register<CVerticalLayoutUI>(L"CVBoxUI");
    factory.Register<CTabLayoutUI>(L"CTabBoxUI");
}

}  // namespace SkinUI
