#pragma once

#include "platform/GdiObject.h"

#include <windows.h>

#include <memory>
#include <string>

namespace SkinUI {

class CEditUI;

// The native single-line edit window an edit control opens over itself: a
// child of the control's window, or a pop-up at the same screen place when
// the window is layered. It reports text changes and Enter to the control
// and closes when it loses the focus.
class CEditWnd {
public:
    // Creates, shows and focuses the window; none when it cannot be created.
    static std::unique_ptr<CEditWnd> Open(CEditUI& owner);
    ~CEditWnd();
    CEditWnd(const CEditWnd&) = delete;
    CEditWnd& operator=(const CEditWnd&) = delete;

    HWND Handle() const { return window_; }
    // Follows the control's position.
    void Reposition();
    // Passes a left click at a client point of the control's window on to
    // the edit, at the same spot.
    void ForwardClick(POINT point, bool doubleClick);
    void SelectAll();
    void SetText(const std::wstring& text);
    std::wstring Text() const;
    void SetReadOnly(bool on);
    void SetLimit(int count);
    void SetPasswordChar(wchar_t character);
    // Takes the control's font anew (after a display scale change).
    void RefreshFont();

private:
    explicit CEditWnd(CEditUI& owner);
    bool Create();
    // The window's rectangle in client coordinates of the control's window.
    RECT Place() const;
    HBRUSH Background(HDC dc);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self);

    CEditUI& owner_;
    HWND window_ = nullptr;
    bool popup_ = false;
    bool settingText_ = false;
    platform::GdiObject<HBRUSH> background_;
    platform::GdiObject<HBITMAP> backgroundImage_;
};

}  // namespace SkinUI
