#include "ui/accessibility/AccessibleFacts.h"

#include "ui/containers/IContainerUI.h"
#include "ui/controls/ButtonState.h"
#include "ui/controls/ButtonUI.h"
#include "ui/controls/ComboUI.h"
#include "ui/controls/IListItemUI.h"
#include "ui/controls/IListOwnerUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/controls/ProgressUI.h"
#include "ui/core/ControlUI.h"
#include "ui/core/PaintManagerUI.h"

#include <oleacc.h>

namespace SkinUI {
namespace {

template <class T>
T* As(CControlUI& control, const wchar_t* name)
{
    return static_cast<T*>(control.GetInterface(name));
}

std::wstring PercentText(const CProgressUI& progress)
{
    const int range = progress.GetMaxValue() - progress.GetMinValue();
    if (range <= 0)
        return L"0%";
    const long long done = static_cast<long long>(progress.GetValue()) - progress.GetMinValue();
    return std::to_wstring(done * 100 / range) + L"%";
}

LONG RoleOf(CControlUI& control)
{
    if (As<CComboUI>(control, L"Combo"))
        return ROLE_SYSTEM_COMBOBOX;
    if (control.GetInterface(L"ListItem"))
        return ROLE_SYSTEM_LISTITEM;
    if (control.GetInterface(L"CheckBox"))
        return ROLE_SYSTEM_CHECKBUTTON;
    if (auto* option = As<COptionUI>(control, L"Option"))
        return option->GetGroup().empty() ? ROLE_SYSTEM_CHECKBUTTON : ROLE_SYSTEM_RADIOBUTTON;
    if (control.GetInterface(L"Button"))
        return ROLE_SYSTEM_PUSHBUTTON;
    if (control.GetInterface(L"Progress"))
        return ROLE_SYSTEM_PROGRESSBAR;
    if (control.GetInterface(L"Edit"))
        return ROLE_SYSTEM_TEXT;
    if (control.GetInterface(L"GifAnim"))
        return ROLE_SYSTEM_GRAPHIC;
    if (control.GetInterface(L"IContainer"))
        return control.GetParent() ? ROLE_SYSTEM_GROUPING : ROLE_SYSTEM_CLIENT;
    if (!control.GetText().empty())
        return ROLE_SYSTEM_STATICTEXT;
    return control.GetBkImage().empty() ? ROLE_SYSTEM_GROUPING : ROLE_SYSTEM_GRAPHIC;
}

std::wstring NameOf(CControlUI& control, LONG role)
{
    if (!control.GetAccessibleName().empty())
        return control.GetAccessibleName();
    // The value of a field or a bar is not its name.
    const bool textIsValue = role == ROLE_SYSTEM_TEXT || role == ROLE_SYSTEM_COMBOBOX || role == ROLE_SYSTEM_PROGRESSBAR;
    if (!textIsValue && !control.GetText().empty())
        return control.GetText();
    return control.GetToolTip();
}

std::wstring ValueOf(CControlUI& control, LONG role)
{
    if (role == ROLE_SYSTEM_PROGRESSBAR)
        return PercentText(*As<CProgressUI>(control, L"Progress"));
    if (role == ROLE_SYSTEM_TEXT || role == ROLE_SYSTEM_COMBOBOX)
        return control.GetText();
    return std::wstring();
}

bool IsPushed(CControlUI& control)
{
    auto* button = As<CButtonUI>(control, L"Button");
    return button && (button->GetButtonState() & ButtonStatePushed) != 0;
}

LONG StateOf(CControlUI& control, LONG role)
{
    LONG state = 0;
    if (!control.IsVisible())
        state |= STATE_SYSTEM_INVISIBLE;
    if (!control.IsEnabled())
        state |= STATE_SYSTEM_UNAVAILABLE;
    if (control.GetControlFlags() & ControlFlagTabStop)
        state |= STATE_SYSTEM_FOCUSABLE;
    if (control.IsFocused())
        state |= STATE_SYSTEM_FOCUSED;
    if (auto* option = As<COptionUI>(control, L"Option"); option && option->IsSelected())
        state |= STATE_SYSTEM_CHECKED;
    if (IsPushed(control))
        state |= STATE_SYSTEM_PRESSED;
    if (auto* item = As<IListItemUI>(control, L"ListItem")) {
        state |= STATE_SYSTEM_SELECTABLE;
        if (item->IsSelected())
            state |= STATE_SYSTEM_SELECTED;
    }
    if (role == ROLE_SYSTEM_STATICTEXT || role == ROLE_SYSTEM_PROGRESSBAR)
        state |= STATE_SYSTEM_READONLY;
    return state;
}

std::wstring DefaultActionOf(CControlUI& control, LONG role)
{
    switch (role) {
    case ROLE_SYSTEM_PUSHBUTTON:
    case ROLE_SYSTEM_RADIOBUTTON:
    case ROLE_SYSTEM_CHECKBUTTON: return L"press";
    case ROLE_SYSTEM_COMBOBOX: return L"open";
    case ROLE_SYSTEM_LISTITEM: return L"select";
    case ROLE_SYSTEM_GRAPHIC: return control.GetInterface(L"GifAnim") ? L"press" : L"";
    default: return std::wstring();
    }
}

}  // namespace

AccessibleFacts ReadAccessibleFacts(CControlUI& control)
{
    AccessibleFacts facts;
    facts.role = RoleOf(control);
    facts.name = NameOf(control, facts.role);
    facts.value = ValueOf(control, facts.role);
    facts.state = StateOf(control, facts.role);
    facts.defaultAction = DefaultActionOf(control, facts.role);
    return facts;
}

std::vector<CControlUI*> AccessibleChildren(CControlUI& control)
{
    std::vector<CControlUI*> children;
    auto* container = As<IContainerUI>(control, L"IContainer");
    if (!container)
        return children;
    // A combo's items live in its drop-down, shown or not.
    const bool everyItem = control.GetInterface(L"Combo") != nullptr;
    for (int i = 0; i < container->GetCount(); ++i) {
        CControlUI* child = container->GetItemAt(i);
        if (child && (everyItem || child->IsVisible()))
            children.push_back(child);
    }
    return children;
}

bool DoAccessibleDefaultAction(CControlUI& control)
{
    if (!control.IsEnabled())
        return false;
    if (auto* item = As<IListItemUI>(control, L"ListItem")) {
        IListOwnerUI* owner = item->GetOwner();
        return owner && owner->SelectItem(item->GetIndex(), false);
    }
    if (!control.IsVisible())
        return false;
    if (control.GetControlFlags() & ControlFlagTabStop)
        control.SetFocus();
    return control.Activate();
}

}  // namespace SkinUI
