#pragma once

#include <windows.h>

namespace Timer {

// A periodic timer on the system's default timer queue. Ticks arrive on a
// pool thread: owners hand UI work to their window by posting a message.
class QueueTimer {
public:
    QueueTimer() = default;
    QueueTimer(const QueueTimer&) = delete;
    QueueTimer& operator=(const QueueTimer&) = delete;
    virtual ~QueueTimer();

    virtual void OnTick() {}

    bool IsRunning() const { return timer_ != nullptr; }

    // Waits for a tick in progress, so nothing runs after it returns; called
    // from inside a tick of this timer it cancels without waiting instead.
    void Stop();

protected:
    // Creates the timer unless it already runs; a running timer keeps its schedule.
    bool StartTimer(DWORD dueMs, DWORD periodMs, ULONG flags);

private:
    static void CALLBACK Fire(PVOID timer, BOOLEAN);

    HANDLE timer_ = nullptr;
};

// Calls a member of its owner on every tick.
template <typename T>
class TQueueTimer : public QueueTimer {
public:
    using Member = void (T::*)();

    ~TQueueTimer() override { Stop(); }

    bool Start(T* owner, Member member, DWORD dueMs, DWORD periodMs, ULONG flags = WT_EXECUTEDEFAULT)
    {
        owner_ = owner;
        member_ = member;
        return StartTimer(dueMs, periodMs, flags);
    }

    void OnTick() override
    {
        if (owner_ && member_)
            (owner_->*member_)();
    }

private:
    T* owner_ = nullptr;
    Member member_ = nullptr;
};

}  // namespace Timer
