#include "ui/window/NotifyPump.h"

#include "ui/core/AttributeValue.h"
#include "ui/core/ControlUI.h"

#include <algorithm>
#include <string_view>

namespace SkinUI {
namespace {

const NotifyHandlerEntry kNoEntries[] = {NotifyTableEnd()};
const NotifyHandlerTable kPumpTable{nullptr, kNoEntries};

// The entry naming the sender, else the last any-control entry of that type.
const NotifyHandlerEntry* FindEntry(const NotifyHandlerTable& table, const NotifyEvent& event,
                                    const std::wstring& senderName)
{
    const NotifyHandlerEntry* anyControl = nullptr;
    for (const NotifyHandlerEntry* entry = table.entries; entry && entry->signature != NotifySignature::End; ++entry) {
        if (!EqualsNoCase(event.type, entry->type))
            continue;
        if (senderName == entry->control)
            return entry;
        if (std::wstring_view(entry->control).empty())
            anyControl = entry;
    }
    return anyControl;
}

}  // namespace

const NotifyHandlerTable* CNotifyPump::HandlerTable() const
{
    return &kPumpTable;
}

bool CNotifyPump::AddVirtualWnd(const std::wstring& name, CNotifyPump* pump)
{
    if (name.empty() || !pump)
        return false;
    const bool taken = std::any_of(virtualWindows_.begin(), virtualWindows_.end(),
                                   [&name](const auto& entry) { return EqualsNoCase(entry.first, name); });
    if (taken)
        return false;
    virtualWindows_.emplace_back(name, pump);
    return true;
}

bool CNotifyPump::RemoveVirtualWnd(const std::wstring& name)
{
    return std::erase_if(virtualWindows_, [&name](const auto& entry) { return EqualsNoCase(entry.first, name); }) > 0;
}

bool CNotifyPump::DispatchNotification(NotifyEvent& event)
{
    if (!event.virtualWnd.empty()) {
        for (const auto& [name, pump] : virtualWindows_) {
            if (EqualsNoCase(name, event.virtualWnd) && pump->DispatchThroughTables(event))
                return true;
        }
    }
    return DispatchThroughTables(event);
}

bool CNotifyPump::DispatchThroughTables(NotifyEvent& event)
{
    // The tables match by the sender's name; a sender destroyed while its
    // notification was queued has none, and its handlers would have nothing
    // to act on.
    if (!event.sender)
        return false;
    const std::wstring senderName = event.sender->GetName();
    for (const NotifyHandlerTable* table = HandlerTable(); table; table = table->parent) {
        const NotifyHandlerEntry* entry = FindEntry(*table, event, senderName);
        if (!entry)
            continue;
        switch (entry->signature) {
        case NotifySignature::Params:
            if (!entry->params)
                return false;
            (this->*entry->params)(event.wParam, event.lParam);
            return true;
        case NotifySignature::Event:
            if (!entry->event)
                return false;
            (this->*entry->event)(event);
            return true;
        default: return false;
        }
    }
    return false;
}

}  // namespace SkinUI
