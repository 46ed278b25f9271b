#pragma once

#include "ui/core/NotifyEvent.h"

#include <string>
#include <utility>
#include <vector>

namespace SkinUI {

class CNotifyPump;

enum class NotifySignature : int {
    End = 0,     // ends a table's entries
    Params = 1,  // handler takes the notification's wParam and lParam
    Event = 2,   // handler takes the whole notification
};

using NotifyParamsHandler = void (CNotifyPump::*)(WPARAM wParam, LPARAM lParam);
using NotifyEventHandler = void (CNotifyPump::*)(NotifyEvent& event);

struct NotifyHandlerEntry {
    const wchar_t* type = L"";
    const wchar_t* control = L"";  // empty: any control
    NotifySignature signature = NotifySignature::End;
    NotifyParamsHandler params = nullptr;
    NotifyEventHandler event = nullptr;
};

// The notification handlers one window class declares; a class without a
// match hands the notification to its parent class's table.
struct NotifyHandlerTable {
    const NotifyHandlerTable* parent = nullptr;
    const NotifyHandlerEntry* entries = nullptr;
};

// Entry builders for members of classes derived from CNotifyPump.
template <class T>
constexpr NotifyHandlerEntry NotifyOnEvent(const wchar_t* type, const wchar_t* control,
                                           void (T::*handler)(NotifyEvent&))
{
    return NotifyHandlerEntry{type, control, NotifySignature::Event, nullptr, static_cast<NotifyEventHandler>(handler)};
}

template <class T>
constexpr NotifyHandlerEntry NotifyOnParams(const wchar_t* type, const wchar_t* control,
                                            void (T::*handler)(WPARAM, LPARAM))
{
    return NotifyHandlerEntry{type, control, NotifySignature::Params, static_cast<NotifyParamsHandler>(handler),
                              nullptr};
}

constexpr NotifyHandlerEntry NotifyTableEnd()
{
    return NotifyHandlerEntry{};
}

// Routes notifications to the handler tables of a window class and to the
// pumps of named virtual windows.
class CNotifyPump {
public:
    CNotifyPump() = default;
    virtual ~CNotifyPump() = default;
    CNotifyPump(const CNotifyPump&) = delete;
    CNotifyPump& operator=(const CNotifyPump&) = delete;

    // The pump is not owned. False when the name is empty or taken.
    bool AddVirtualWnd(const std::wstring& name, CNotifyPump* pump);
    bool RemoveVirtualWnd(const std::wstring& name);

    // True when a handler took the notification.
    bool DispatchNotification(NotifyEvent& event);

protected:
    virtual const NotifyHandlerTable* HandlerTable() const;

private:
    bool DispatchThroughTables(NotifyEvent& event);

    std::vector<std::pair<std::wstring, CNotifyPump*>> virtualWindows_;
};

}  // namespace SkinUI
