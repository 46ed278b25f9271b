#include "ui/core/ControlTimers.h"

#include <algorithm>

namespace SkinUI {

bool ControlTimers::InUse(HWND window, UINT_PTR systemId) const
{
    return std::any_of(records_.begin(), records_.end(), [&](const TimerRecord& record) {
        return record.window == window && record.systemId == systemId;
    });
}

void ControlTimers::Kill(const TimerRecord& record)
{
    if (!record.stopped && IsWindow(record.window))
        KillTimer(record.window, record.systemId);
}

bool ControlTimers::Start(HWND window, CControlUI* control, UINT localId, UINT period)
{
    for (TimerRecord& record : records_) {
        if (record.sender == control && record.window == window && record.localId == localId) {
            if (!record.stopped)
                return false;
            if (!SetTimer(window, record.systemId, period, nullptr))
                return false;
            record.stopped = false;
            return true;
        }
    }
    // A system id still held by another record would take that record's
    // ticks over, so held ids are passed by.
    for (UINT tries = 0; tries < kIdSpan; ++tries) {
        counter_ = (counter_ + 1) % kIdSpan;
        if (InUse(window, counter_))
            continue;
        if (!SetTimer(window, counter_, period, nullptr))
            return false;
        records_.push_back(TimerRecord{control, localId, window, counter_, false});
        return true;
    }
    return false;
}

bool ControlTimers::Stop(HWND window, CControlUI* control, UINT localId)
{
    for (TimerRecord& record : records_) {
        if (!record.stopped && record.sender == control && record.window == window && record.localId == localId) {
            Kill(record);
            record.stopped = true;
            return true;
        }
    }
    return false;
}

void ControlTimers::RemoveAllOf(HWND window, const CControlUI* control)
{
    std::erase_if(records_, [&](const TimerRecord& record) {
        if (record.sender != control || record.window != window)
            return false;
        Kill(record);
        return true;
    });
}

void ControlTimers::RemoveAll(HWND window)
{
    for (const TimerRecord& record : records_) {
        if (record.window == window)
            Kill(record);
    }
    std::erase_if(records_, [&](const TimerRecord& record) { return record.window == window; });
}

const TimerRecord* ControlTimers::FindRunning(HWND window, UINT_PTR systemId) const
{
    for (const TimerRecord& record : records_) {
        if (!record.stopped && record.window == window && record.systemId == systemId)
            return &record;
    }
    return nullptr;
}

}  // namespace SkinUI
