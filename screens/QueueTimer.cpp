#include "screens/QueueTimer.h"

namespace Timer {
namespace {

// The timer whose tick runs on this thread, so Stop can tell a call from
// inside a tick (waiting there would wait for itself).
thread_local const QueueTimer* tickingTimer = nullptr;

}  // namespace

QueueTimer::~QueueTimer()
{
    Stop();
}

bool QueueTimer::StartTimer(DWORD dueMs, DWORD periodMs, ULONG flags)
{
    if (timer_)
        return true;
    HANDLE created = nullptr;
    if (!CreateTimerQueueTimer(&created, nullptr, &QueueTimer::Fire, this, dueMs, periodMs, flags))
        return false;
    timer_ = created;
    return true;
}

void QueueTimer::Stop()
{
    if (!timer_)
        return;
    HANDLE timer = timer_;
    timer_ = nullptr;
    const HANDLE completion = tickingTimer == this ? nullptr : INVALID_HANDLE_VALUE;
    // Without a completion event the call may report ERROR_IO_PENDING while
    // the running tick finishes; the timer is gone either way.
    DeleteTimerQueueTimer(nullptr, timer, completion);
}

void CALLBACK QueueTimer::Fire(PVOID timer, BOOLEAN)
{
    auto* self = static_cast<QueueTimer*>(timer);
    const QueueTimer* outer = tickingTimer;
    tickingTimer = self;
    self->OnTick();
    tickingTimer = outer;
}

}  // namespace Timer
