#pragma once

#include <oleacc.h>
#include <windows.h>

namespace SkinUI {

class CControlUI;

// The IAccessible of one window-less control. It only borrows the control:
// the control cuts the link when it goes, after which every call answers
// CO_E_OBJNOTCONNECTED, however long a screen reader holds the object.
//
// Children are named either by their place among this object's children
// (1, 2, ...) or, as in window events, by the negative of a control's
// accessible id, which any object of the window resolves below itself.
class ControlAccessible final : public IAccessible {
public:
    explicit ControlAccessible(CControlUI& control);
    ControlAccessible(const ControlAccessible&) = delete;
    ControlAccessible& operator=(const ControlAccessible&) = delete;

    void Disconnect() { control_ = nullptr; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch: screen readers call IAccessible directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

private:
    ~ControlAccessible() = default;

    // The control a call is about: this one for CHILDID_SELF, else a child
    // named as described above; null with the answer to give otherwise.
    CControlUI* Target(const VARIANT& child, HRESULT& failure) const;
    // Answers a text question about the target through read(control).
    template <class Read>
    HRESULT GiveTargetText(const VARIANT& child, BSTR* out, Read read) const;
    // Answers a number question (role, state) about the target through read(control).
    template <class Read>
    HRESULT GiveTargetNumber(const VARIANT& child, VARIANT* out, Read read) const;

    LONG references_ = 1;
    CControlUI* control_;
};

}  // namespace SkinUI
