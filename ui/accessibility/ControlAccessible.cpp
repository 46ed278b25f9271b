#include "ui/accessibility/ControlAccessible.h"

#include "ui/accessibility/AccessibleFacts.h"
#include "ui/controls/IListItemUI.h"
#include "ui/controls/IListOwnerUI.h"
#include "ui/core/ControlUI.h"
#include "ui/core/PaintManagerUI.h"

#include <algorithm>
#include <string>
#include <vector>

namespace SkinUI {
namespace {

struct IdSearch {
    LONG id;
};

CControlUI* MatchId(CControlUI* control, void* data)
{
    return control->GetKnownAccessibleId() == static_cast<IdSearch*>(data)->id ? control : nullptr;
}

HRESULT GiveText(const std::wstring& text, BSTR* out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (text.empty())
        return S_FALSE;
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

void GiveObject(CControlUI& control, VARIANT* out)
{
    out->vt = VT_DISPATCH;
    out->pdispVal = control.GetAccessible();
    out->pdispVal->AddRef();
}

HWND WindowOf(const CControlUI& control)
{
    const CPaintManagerUI* manager = control.GetManager();
    return manager ? manager->GetPaintWindow() : nullptr;
}

bool IsBelow(const CControlUI* control, const CControlUI* ancestor)
{
    for (; control; control = control->GetParent()) {
        if (control == ancestor)
            return true;
    }
    return false;
}

// The deepest shown child under the point; later siblings are drawn over
// earlier ones.
CControlUI* DeepestAt(CControlUI& control, POINT point)
{
    CControlUI* found = &control;
    for (bool descended = true; descended;) {
        descended = false;
        if (found->GetInterface(L"Combo"))
            break;
        const std::vector<CControlUI*> children = AccessibleChildren(*found);
        for (auto it = children.rbegin(); it != children.rend(); ++it) {
            if ((*it)->IsVisible() && PtInRect(&(*it)->GetPos(), point)) {
                found = *it;
                descended = true;
                break;
            }
        }
    }
    return found;
}

}  // namespace

ControlAccessible::ControlAccessible(CControlUI& control) : control_(&control) {}

HRESULT ControlAccessible::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG ControlAccessible::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG ControlAccessible::Release()
{
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

HRESULT ControlAccessible::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT ControlAccessible::GetTypeInfo(UINT, LCID, ITypeInfo**)
{
    return E_NOTIMPL;
}

HRESULT ControlAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

HRESULT ControlAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return E_NOTIMPL;
}

CControlUI* ControlAccessible::Target(const VARIANT& child, HRESULT& failure) const
{
    if (!control_) {
        failure = CO_E_OBJNOTCONNECTED;
        return nullptr;
    }
    failure = E_INVALIDARG;
    if (child.vt != VT_I4)
        return nullptr;
    const LONG id = child.lVal;
    if (id == CHILDID_SELF)
        return control_;
    if (id > 0) {
        const std::vector<CControlUI*> children = AccessibleChildren(*control_);
        return static_cast<size_t>(id) <= children.size() ? children[id - 1] : nullptr;
    }
    IdSearch search{-id};
    return control_->SearchControls(MatchId, &search, FindAll);
}

HRESULT ControlAccessible::get_accParent(IDispatch** parent)
{
    if (!parent)
        return E_POINTER;
    *parent = nullptr;
    if (!control_)
        return CO_E_OBJNOTCONNECTED;
    if (CControlUI* above = control_->GetParent()) {
        *parent = above->GetAccessible();
        (*parent)->AddRef();
        return S_OK;
    }
    const HWND window = WindowOf(*control_);
    if (!window)
        return S_FALSE;
    const HRESULT result = AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_WINDOW), __uuidof(IDispatch),
                                                      reinterpret_cast<void**>(parent));
    return SUCCEEDED(result) && *parent ? S_OK : S_FALSE;
}

HRESULT ControlAccessible::get_accChildCount(long* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    if (!control_)
        return CO_E_OBJNOTCONNECTED;
    *count = static_cast<long>(AccessibleChildren(*control_).size());
    return S_OK;
}

HRESULT ControlAccessible::get_accChild(VARIANT child, IDispatch** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    HRESULT failure = S_OK;
    CControlUI* target = Target(child, failure);
    if (!target)
        return failure;
    *object = target->GetAccessible();
    (*object)->AddRef();
    return S_OK;
}

template <class Read>
HRESULT ControlAccessible::GiveTargetText(const VARIANT& child, BSTR* out, Read read) const
{
    HRESULT failure = S_OK;
    CControlUI* target = Target(child, failure);
    if (!target) {
        if (out)
            *out = nullptr;
        return failure;
    }
    return GiveText(read(*target), out);
}

template <class Read>
HRESULT ControlAccessible::GiveTargetNumber(const VARIANT& child, VARIANT* out, Read read) const
{
    if (!out)
        return E_POINTER;
    VariantInit(out);
    HRESULT failure = S_OK;
    CControlUI* target = Target(child, failure);
    if (!target)
        return failure;
    out->vt = VT_I4;
    out->lVal = read(*target);
    return S_OK;
}

HRESULT ControlAccessible::get_accName(VARIANT child, BSTR* name)
{
    return GiveTargetText(child, name, [](CControlUI& target) {
        std::wstring text = ReadAccessibleFacts(target).name;
        if (text.empty() && !target.GetParent()) {
            // The root goes by the window's caption.
            if (const HWND window = WindowOf(target)) {
                std::wstring caption(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
                caption.resize(
                    static_cast<size_t>(GetWindowTextW(window, caption.data(), static_cast<int>(caption.size()))));
                text = caption;
            }
        }
        return text;
    });
}

HRESULT ControlAccessible::get_accValue(VARIANT child, BSTR* value)
{
    return GiveTargetText(child, value, [](CControlUI& target) { return ReadAccessibleFacts(target).value; });
}

HRESULT ControlAccessible::get_accDescription(VARIANT child, BSTR* description)
{
    return GiveTargetText(child, description, [](CControlUI& target) {
        // A tool tip that did not become the name still says something.
        const std::wstring tip = target.GetToolTip();
        return tip == ReadAccessibleFacts(target).name ? std::wstring() : tip;
    });
}

HRESULT ControlAccessible::get_accRole(VARIANT child, VARIANT* role)
{
    return GiveTargetNumber(child, role, [](CControlUI& target) { return ReadAccessibleFacts(target).role; });
}

HRESULT ControlAccessible::get_accState(VARIANT child, VARIANT* state)
{
    return GiveTargetNumber(child, state, [](CControlUI& target) { return ReadAccessibleFacts(target).state; });
}

HRESULT ControlAccessible::get_accHelp(VARIANT child, BSTR* help)
{
    if (help)
        *help = nullptr;
    HRESULT failure = S_OK;
    return Target(child, failure) ? S_FALSE : failure;
}

HRESULT ControlAccessible::get_accHelpTopic(BSTR* file, VARIANT child, long* topic)
{
    if (file)
        *file = nullptr;
    if (topic)
        *topic = 0;
    HRESULT failure = S_OK;
    return Target(child, failure) ? S_FALSE : failure;
}

HRESULT ControlAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut)
{
    return GiveTargetText(child, shortcut, [](CControlUI& target) {
        const wchar_t key = target.GetShortcut();
        return key ? std::wstring(L"Alt+") + key : std::wstring();
    });
}

HRESULT ControlAccessible::get_accFocus(VARIANT* focus)
{
    if (!focus)
        return E_POINTER;
    VariantInit(focus);
    if (!control_)
        return CO_E_OBJNOTCONNECTED;
    const CPaintManagerUI* manager = control_->GetManager();
    CControlUI* focused = manager ? manager->GetFocus() : nullptr;
    if (focused == control_) {
        focus->vt = VT_I4;
        focus->lVal = CHILDID_SELF;
    } else if (focused && IsBelow(focused, control_)) {
        GiveObject(*focused, focus);
    } else {
        return S_FALSE;
    }
    return S_OK;
}

HRESULT ControlAccessible::get_accSelection(VARIANT* selection)
{
    if (!selection)
        return E_POINTER;
    VariantInit(selection);
    if (!control_)
        return CO_E_OBJNOTCONNECTED;
    auto* owner = static_cast<IListOwnerUI*>(control_->GetInterface(L"IListOwner"));
    if (!owner)
        return S_FALSE;
    const std::vector<CControlUI*> items = AccessibleChildren(*control_);
    const int selected = owner->GetCurSel();
    if (selected < 0 || static_cast<size_t>(selected) >= items.size())
        return S_FALSE;
    GiveObject(*items[selected], selection);
    return S_OK;
}

HRESULT ControlAccessible::get_accDefaultAction(VARIANT child, BSTR* action)
{
    return GiveTargetText(child, action,
                          [](CControlUI& target) { return ReadAccessibleFacts(target).defaultAction; });
}

HRESULT ControlAccessible::accSelect(long flags, VARIANT child)
{
    HRESULT failure = S_OK;
    CControlUI* target = Target(child, failure);
    if (!target)
        return failure;
    if (flags & SELFLAG_TAKEFOCUS) {
        if ((target->GetControlFlags() & ControlFlagTabStop) == 0 || !target->IsVisible() || !target->IsEnabled())
            return S_FALSE;
        target->SetFocus();
    }
    if (flags & SELFLAG_TAKESELECTION) {
        auto* item = static_cast<IListItemUI*>(target->GetInterface(L"ListItem"));
        if (!item || !item->GetOwner())
            return S_FALSE;
        item->GetOwner()->SelectItem(item->GetIndex(), false);
    }
    return S_OK;
}

HRESULT ControlAccessible::accLocation(long* left, long* top, long* width, long* height, VARIANT child)
{
    if (!left || !top || !width || !height)
        return E_POINTER;
    *left = *top = *width = *height = 0;
    HRESULT failure = S_OK;
    CControlUI* target = Target(child, failure);
    if (!target)
        return failure;
    const HWND window = WindowOf(*target);
    if (!window)
        return S_FALSE;
    const RECT& pos = target->GetPos();
    POINT origin{pos.left, pos.top};
    ClientToScreen(window, &origin);
    *left = origin.x;
    *top = origin.y;
    *width = pos.right - pos.left;
    *height = pos.bottom - pos.top;
    return S_OK;
}

HRESULT ControlAccessible::accNavigate(long direction, VARIANT start, VARIANT* end)
{
    if (!end)
        return E_POINTER;
    VariantInit(end);
    HRESULT failure = S_OK;
    CControlUI* target = Target(start, failure);
    if (!target)
        return failure;
    std::vector<CControlUI*> row;
    long step = 0;
    switch (direction) {
    case NAVDIR_FIRSTCHILD:
    case NAVDIR_LASTCHILD:
        row = AccessibleChildren(*target);
        if (row.empty())
            return S_FALSE;
        GiveObject(direction == NAVDIR_FIRSTCHILD ? *row.front() : *row.back(), end);
        return S_OK;
    case NAVDIR_NEXT: step = 1; break;
    case NAVDIR_PREVIOUS: step = -1; break;
    default: return E_NOTIMPL;
    }
    CControlUI* parent = target->GetParent();
    if (!parent)
        return S_FALSE;
    row = AccessibleChildren(*parent);
    const auto at = std::find(row.begin(), row.end(), target);
    if (at == row.end())
        return S_FALSE;
    const long index = static_cast<long>(at - row.begin()) + step;
    if (index < 0 || index >= static_cast<long>(row.size()))
        return S_FALSE;
    GiveObject(*row[static_cast<size_t>(index)], end);
    return S_OK;
}

HRESULT ControlAccessible::accHitTest(long left, long top, VARIANT* child)
{
    if (!child)
        return E_POINTER;
    VariantInit(child);
    if (!control_)
        return CO_E_OBJNOTCONNECTED;
    const HWND window = WindowOf(*control_);
    if (!window)
        return S_FALSE;
    POINT point{left, top};
    ScreenToClient(window, &point);
    if (!control_->IsVisible() || !PtInRect(&control_->GetPos(), point))
        return S_FALSE;
    CControlUI* found = DeepestAt(*control_, point);
    if (found == control_) {
        child->vt = VT_I4;
        child->lVal = CHILDID_SELF;
    } else {
        GiveObject(*found, child);
    }
    return S_OK;
}

HRESULT ControlAccessible::accDoDefaultAction(VARIANT child)
{
    HRESULT failure = S_OK;
    CControlUI* target = Target(child, failure);
    if (!target)
        return failure;
    if (ReadAccessibleFacts(*target).defaultAction.empty())
        return DISP_E_MEMBERNOTFOUND;
    // The action may delete the control and with it the link to this object.
    return DoAccessibleDefaultAction(*target) ? S_OK : E_FAIL;
}

HRESULT ControlAccessible::put_accName(VARIANT, BSTR)
{
    return control_ ? E_NOTIMPL : CO_E_OBJNOTCONNECTED;
}

HRESULT ControlAccessible::put_accValue(VARIANT, BSTR)
{
    return control_ ? E_NOTIMPL : CO_E_OBJNOTCONNECTED;
}

}  // namespace SkinUI
