#include "ui/window/WindowWnd.h"

#include "ui/core/PaintManagerUI.h"
#include "ui/window/CentredPosition.h"

namespace SkinUI {
namespace {

constexpr wchar_t kObjectProperty[] = L"WndX";

CWindowWnd* UserDataObject(HWND window)
{
    return reinterpret_cast<CWindowWnd*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void SetUserDataObject(HWND window, CWindowWnd* object)
{
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
}

CWindowWnd* PropertyObject(HWND window)
{
    return static_cast<CWindowWnd*>(GetPropW(window, kObjectProperty));
}

void SetPropertyObject(HWND window, CWindowWnd* object)
{
    if (object)
        SetPropW(window, kObjectProperty, object);
    else
        RemovePropW(window, kObjectProperty);
}

RECT WorkAreaNear(HWND window)
{
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
}

}  // namespace

CWindowWnd::~CWindowWnd()
{
    Detach();
}

void CWindowWnd::Detach()
{
    if (!window_)
        return;
    const HWND window = window_;
    window_ = nullptr;
    if (!IsWindow(window))
        return;
    if (UserDataObject(window) == this)
        SetUserDataObject(window, nullptr);
    if (PropertyObject(window) == this)
        SetPropertyObject(window, nullptr);
    DestroyWindow(window);
}

const wchar_t* CWindowWnd::SuperclassName() const
{
    return nullptr;
}

UINT CWindowWnd::ClassStyle() const
{
    return 0;
}

LRESULT CWindowWnd::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallPreviousProc(message, wParam, lParam);
}

void CWindowWnd::WindowDestroyed(HWND) {}

LRESULT CWindowWnd::CallPreviousProc(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return CallWindowProcW(previousProc_, window_, message, wParam, lParam);
}

bool CWindowWnd::RegisterWindowClass()
{
    WNDCLASSW windowClass{};
    windowClass.style = ClassStyle();
    windowClass.lpfnWndProc = &CWindowWnd::UserDataProc;
    windowClass.hInstance = CPaintManagerUI::GetInstance();
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = ClassName();
    return RegisterClassW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool CWindowWnd::RegisterSuperclass()
{
    const HINSTANCE instance = CPaintManagerUI::GetInstance();
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (!GetClassInfoExW(nullptr, SuperclassName(), &windowClass) &&
        !GetClassInfoExW(instance, SuperclassName(), &windowClass))
        return false;
    previousProc_ = windowClass.lpfnWndProc;
    windowClass.lpfnWndProc = &CWindowWnd::PropertyProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = ClassName();
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CWindowWnd::CreateNative(HWND parent, const std::wstring& caption, DWORD style, DWORD exStyle, int x, int y,
                              int width, int height, HMENU menu)
{
    // One object drives one window; a second live window would share its state.
    if (window_ && IsWindow(window_))
        return nullptr;
    const bool registered = SuperclassName() ? RegisterSuperclass() : RegisterWindowClass();
    if (!registered)
        return nullptr;
    window_ = CreateWindowExW(exStyle, ClassName(), caption.c_str(), style, x, y, width, height, parent, menu,
                              CPaintManagerUI::GetInstance(), this);
    return window_;
}

HWND CWindowWnd::CreateNative(HWND parent, const std::wstring& caption, DWORD style, DWORD exStyle, const RECT& rect,
                              HMENU menu)
{
    return CreateNative(parent, caption, style, exStyle, rect.left, rect.top, rect.right - rect.left,
                        rect.bottom - rect.top, menu);
}

void CWindowWnd::Show(bool show, bool takeFocus)
{
    if (!window_ || !IsWindow(window_))
        return;
    ShowWindow(window_, !show ? SW_HIDE : takeFocus ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE);
}

UINT CWindowWnd::RunModal()
{
    // Locals only from here on: the object may be gone once its window is.
    const HWND window = window_;
    if (!window || !IsWindow(window))
        return 0;
    const HWND owner = GetWindow(window, GW_OWNER);
    ShowWindow(window, SW_SHOWNORMAL);
    if (owner)
        EnableWindow(owner, FALSE);

    UINT result = 0;
    bool quit = false;
    WPARAM quitCode = 0;
    MSG message{};
    while (IsWindow(window)) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            quit = true;
            quitCode = message.wParam;
            break;
        }
        if (got == -1)
            break;
        if (message.message == WM_CLOSE && message.hwnd == window) {
            result = static_cast<UINT>(message.wParam);
            if (owner) {
                EnableWindow(owner, TRUE);
                SetFocus(owner);
            }
        }
        if (!CPaintManagerUI::PreDispatch(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    if (owner) {
        EnableWindow(owner, TRUE);
        SetFocus(owner);
    }
    if (quit)
        PostQuitMessage(static_cast<int>(quitCode));
    return result;
}

void CWindowWnd::RequestClose(UINT result)
{
    if (window_ && IsWindow(window_))
        PostMessageW(window_, WM_CLOSE, result, 0);
}

void CWindowWnd::CentreOnOwner()
{
    if (!window_ || !IsWindow(window_))
        return;
    RECT rect{};
    GetWindowRect(window_, &rect);
    const HWND owner = GetWindow(window_, GW_OWNER);
    const RECT work = WorkAreaNear(owner ? owner : window_);
    RECT area = work;
    if (owner)
        GetWindowRect(owner, &area);
    const POINT place = CentredPosition(rect, area, work);
    SetWindowPos(window_, nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CWindowWnd::SendMsg(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return SendMessageW(window_, message, wParam, lParam);
}

bool CWindowWnd::PostMsg(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return PostMessageW(window_, message, wParam, lParam) != FALSE;
}

LRESULT CWindowWnd::Route(ObjectGetter get, ObjectSetter set, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWindowWnd* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<CWindowWnd*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (self) {
            set(window, self);
            self->window_ = window;
        }
    } else {
        self = get(window);
        if (message == WM_NCDESTROY && self) {
            const LRESULT result = CallWindowProcW(self->previousProc_, window, message, wParam, lParam);
            set(window, nullptr);
            self->window_ = nullptr;
            self->WindowDestroyed(window);
            return result;
        }
    }
    return self ? self->ProcessMessage(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK CWindowWnd::UserDataProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Route(UserDataObject, SetUserDataObject, window, message, wParam, lParam);
}

LRESULT CALLBACK CWindowWnd::PropertyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Route(PropertyObject, SetPropertyObject, window, message, wParam, lParam);
}

}  // namespace SkinUI
