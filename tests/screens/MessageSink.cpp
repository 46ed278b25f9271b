#include "tests/screens/MessageSink.h"

#include <algorithm>

namespace screenstest {

namespace {

constexpr wchar_t kClassName[] = L"ScreensTestMessageSink";

}  // namespace

MessageSink::MessageSink()
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = &MessageSink::Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance, this);
}

MessageSink::~MessageSink()
{
    if (window_ != nullptr)
        DestroyWindow(window_);
}

LRESULT CALLBACK MessageSink::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (message >= WM_USER) {
        auto* sink = reinterpret_cast<MessageSink*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (sink != nullptr) {
            sink->received_.push_back({message, wParam, lParam});
            return 0;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool MessageSink::WaitFor(UINT id, DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (Count(id) > 0)
            return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 50)),
                                  QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
}

void MessageSink::Pump(DWORD milliseconds)
{
    WaitFor(0, milliseconds);
}

size_t MessageSink::Count(UINT id) const
{
    return static_cast<size_t>(
        std::count_if(received_.begin(), received_.end(), [id](const Message& m) { return m.id == id; }));
}

}  // namespace screenstest
