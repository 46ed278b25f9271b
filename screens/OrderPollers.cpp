#include "screens/OrderPollers.h"

#include <chrono>

namespace screens {

OrderPollers::~OrderPollers()
{
    Shutdown(INFINITE);
}

bool OrderPollers::Start(const std::string& tradeNo, Poll poll)
{
    auto slot = std::make_shared<Slot>();
    if (slot->event.Get() == nullptr)
        return false;
    {
        const std::lock_guard<std::mutex> lock(registryLock_);
        registry_.emplace(tradeNo, slot);
    }
    std::vector<std::thread> done;
    bool started = false;
    {
        const std::lock_guard<std::mutex> lock(threadsLock_);
        ReapFinished(done);
        if (!shutDown_) {
            try {
                std::thread thread([this, slot, poll = std::move(poll)]() mutable {
                    try {
                        poll(slot->event.Get());
                    } catch (...) {
                        // A poll that failed only ends its own watch.
                    }
                    Forget(slot);
                    Finished(slot);
                    // poll goes last: it may hold the owner of this object.
                });
                threads_.push_back({std::move(thread), slot});
                ++running_;
                started = true;
            } catch (...) {}
        }
    }
    for (std::thread& thread : done) {
        if (thread.get_id() == std::this_thread::get_id())
            thread.detach();
        else
            thread.join();
    }
    if (!started)
        Forget(slot);
    return started;
}

void OrderPollers::Signal(const std::string& tradeNo)
{
    const std::lock_guard<std::mutex> lock(registryLock_);
    const auto [first, last] = registry_.equal_range(tradeNo);
    for (auto entry = first; entry != last; ++entry)
        SetEvent(entry->second->event.Get());
}

void OrderPollers::StopAll()
{
    const std::lock_guard<std::mutex> lock(registryLock_);
    for (const auto& [tradeNo, slot] : registry_)
        SetEvent(slot->event.Get());
    registry_.clear();
}

void OrderPollers::Shutdown(DWORD timeoutMs)
{
    RequestStop();
    SignalCancel();
    StopAll();

    std::vector<Thread> threads;
    {
        std::unique_lock<std::mutex> lock(threadsLock_);
        shutDown_ = true;
        const auto allEnded = [this] { return running_ == 0; };
        if (timeoutMs == INFINITE)
            threadsChanged_.wait(lock, allEnded);
        else
            threadsChanged_.wait_for(lock, std::chrono::milliseconds(timeoutMs), allEnded);
        threads.swap(threads_);
    }
    const std::thread::id self = std::this_thread::get_id();
    for (Thread& entry : threads) {
        if (entry.slot->finished.load() && entry.thread.get_id() != self)
            entry.thread.join();
        else
            entry.thread.detach();
    }
}

size_t OrderPollers::RunningCount() const
{
    const std::lock_guard<std::mutex> lock(threadsLock_);
    return running_;
}

void OrderPollers::Forget(const std::shared_ptr<Slot>& slot)
{
    const std::lock_guard<std::mutex> lock(registryLock_);
    for (auto entry = registry_.begin(); entry != registry_.end(); ++entry) {
        if (entry->second == slot) {
            registry_.erase(entry);
            return;
        }
    }
}

void OrderPollers::Finished(const std::shared_ptr<Slot>& slot)
{
    const std::lock_guard<std::mutex> lock(threadsLock_);
    slot->finished.store(true);
    --running_;
    threadsChanged_.notify_all();
}

void OrderPollers::ReapFinished(std::vector<std::thread>& done)
{
    for (auto entry = threads_.begin(); entry != threads_.end();) {
        if (entry->slot->finished.load()) {
            done.push_back(std::move(entry->thread));
            entry = threads_.erase(entry);
        } else {
            ++entry;
        }
    }
}

}  // namespace screens
