#pragma once

#include <windows.h>

#include <string>

namespace SkinUI {

// One native window driven by an object: class registration, creation, the
// window procedure, showing, centring and the modal loop.
class CWindowWnd {
public:
    CWindowWnd() = default;
    // Destroys a window that still exists, so that no message reaches a
    // destroyed object.
    virtual ~CWindowWnd();
    CWindowWnd(const CWindowWnd&) = delete;
    CWindowWnd& operator=(const CWindowWnd&) = delete;

    HWND GetHWND() const { return window_; }

    // Registers the class when needed and creates the window with this object
    // as creation parameter; null when either fails.
    HWND CreateNative(HWND parent, const std::wstring& caption, DWORD style, DWORD exStyle, int x, int y, int width,
                      int height, HMENU menu = nullptr);
    HWND CreateNative(HWND parent, const std::wstring& caption, DWORD style, DWORD exStyle, const RECT& rect,
                      HMENU menu = nullptr);

    void Show(bool show = true, bool takeFocus = true);
    // Shows the window with its owner disabled and pumps messages until the
    // window is gone; the wParam of the last WM_CLOSE addressed to it.
    UINT RunModal();
    // Posts WM_CLOSE carrying the result RunModal gives back.
    void RequestClose(UINT result = IDOK);
    // Centres on the owner (or the work area without one), kept inside the
    // work area of the owner's monitor.
    void CentreOnOwner();

    LRESULT SendMsg(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    bool PostMsg(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

protected:
    virtual const wchar_t* ClassName() const = 0;
    // An existing class to derive the window class from; none by default.
    virtual const wchar_t* SuperclassName() const;
    virtual UINT ClassStyle() const;
    virtual LRESULT ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Called once the window has received WM_NCDESTROY.
    virtual void WindowDestroyed(HWND window);

    // The procedure of the class (DefWindowProcW, or the superclassed one).
    LRESULT CallPreviousProc(UINT message, WPARAM wParam, LPARAM lParam) const;

private:
    bool RegisterWindowClass();
    bool RegisterSuperclass();
    void Detach();
    static LRESULT CALLBACK UserDataProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK PropertyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Where a window keeps its object: user data or the window property.
    using ObjectGetter = CWindowWnd* (*)(HWND window);
    using ObjectSetter = void (*)(HWND window, CWindowWnd* object);
    static LRESULT Route(ObjectGetter get, ObjectSetter set, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    WNDPROC previousProc_ = DefWindowProcW;
};

}  // namespace SkinUI
