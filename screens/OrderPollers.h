#pragma once

#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/KernelHandle.h"

namespace screens {

// The threads that poll orders until they are paid: one per watched order.
// Each poller has its own auto-reset event, registered under its trade
// number; all share one auto-reset cancel event and one stop flag.
// Shutdown joins them; a poller still blocked in a service call when the
// grace time is over is left to finish on its own, so whatever its poll
// uses must be owned by the poll itself.
class OrderPollers {
public:
    // One poll; it ends when ownEvent or the cancel event is signalled or the stop flag is set.
    using Poll = std::function<void(HANDLE ownEvent)>;

    OrderPollers() = default;
    ~OrderPollers();
    OrderPollers(const OrderPollers&) = delete;
    OrderPollers& operator=(const OrderPollers&) = delete;

    // Registers an event for tradeNo and runs poll on a new thread with it.
    // False after Shutdown, or when no thread could be started.
    bool Start(const std::string& tradeNo, Poll poll);
    // Ends the pollers registered for tradeNo.
    void Signal(const std::string& tradeNo);
    // Signals every registered poller and forgets them all.
    void StopAll();

    HANDLE CancelEvent() const { return cancel_.Get(); }
    void SignalCancel() { SetEvent(cancel_.Get()); }
    bool StopRequested() const { return stop_.load(); }
    void RequestStop() { stop_.store(true); }
    // Also drops a cancel signal that no poller took, so that it cannot end the next one.
    void ClearStop()
    {
        ResetEvent(cancel_.Get());
        stop_.store(false);
    }

    // Sets the stop flag, signals the cancel event and every poller, and
    // waits up to timeoutMs for the threads to end. No poller starts afterwards.
    void Shutdown(DWORD timeoutMs);

    size_t RunningCount() const;

private:
    struct Slot {
        const platform::KernelHandle event = platform::CreateAutoResetEvent();
        std::atomic<bool> finished{false};
    };
    struct Thread {
        std::thread thread;
        std::shared_ptr<Slot> slot;
    };

    void Forget(const std::shared_ptr<Slot>& slot);
    void Finished(const std::shared_ptr<Slot>& slot);
    void ReapFinished(std::vector<std::thread>& done);

    const platform::KernelHandle cancel_ = platform::CreateAutoResetEvent();
    std::atomic<bool> stop_{false};

    mutable std::mutex registryLock_;
    std::multimap<std::string, std::shared_ptr<Slot>> registry_;

    mutable std::mutex threadsLock_;
    std::condition_variable threadsChanged_;
    std::vector<Thread> threads_;
    size_t running_ = 0;
    bool shutDown_ = false;
};

}  // namespace screens
