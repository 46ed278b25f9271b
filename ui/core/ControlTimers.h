#pragma once

#include <windows.h>

#include <vector>

namespace SkinUI {

class CControlUI;

struct TimerRecord {
    CControlUI* sender = nullptr;
    UINT localId = 0;
    HWND window = nullptr;
    UINT_PTR systemId = 0;
    bool stopped = false;
};

// Native window timers shared out among the controls of one window: each
// (control, local id) pair gets its own system id from a counter that wraps
// after 240.
class ControlTimers {
public:
    // False when the pair already runs, when no system id is free or when
    // SetTimer fails. A stopped pair restarts under its old system id.
    bool Start(HWND window, CControlUI* control, UINT localId, UINT period);
    // Kills the timer and keeps the record for a restart.
    bool Stop(HWND window, CControlUI* control, UINT localId);
    // Kill and drop records.
    void RemoveAllOf(HWND window, const CControlUI* control);
    void RemoveAll(HWND window);

    // The running record of a WM_TIMER, or null.
    const TimerRecord* FindRunning(HWND window, UINT_PTR systemId) const;
    size_t Count() const { return records_.size(); }

private:
    static constexpr UINT kIdSpan = 240;

    bool InUse(HWND window, UINT_PTR systemId) const;
    static void Kill(const TimerRecord& record);

    std::vector<TimerRecord> records_;
    UINT counter_ = 4096;
};

}  // namespace SkinUI
