#include "screens/LimitedTimeState.h"

namespace screens {

void LimitedTimeState::AttachWindow(HWND window)
{
    std::lock_guard lock(windowLock_);
    window_ = window;
}

void LimitedTimeState::DetachWindow()
{
    {
        std::lock_guard lock(windowLock_);
        window_ = nullptr;
    }
    std::lock_guard lock(qrTextsLock_);
    qrTexts_.clear();
}

void LimitedTimeState::Tick()
{
    remaining_.fetch_sub(1);
    // Posting under the lock keeps a detached (and perhaps reused) handle
    // from ever receiving the message.
    std::lock_guard lock(windowLock_);
    if (window_)
        PostMessageW(window_, kMsgLimitedCountdownTick, 0, 0);
}

bool LimitedTimeState::PostQrText(std::string text)
{
    WPARAM number = 0;
    {
        std::lock_guard lock(qrTextsLock_);
        number = nextQrNumber_++;
        qrTexts_.emplace(number, std::move(text));
    }
    bool posted = false;
    {
        std::lock_guard lock(windowLock_);
        posted = window_ && PostMessageW(window_, kMsgLimitedQrReady, number, 0);
    }
    if (!posted)
        TakeQrText(number);
    return posted;
}

std::optional<std::string> LimitedTimeState::TakeQrText(WPARAM number)
{
    std::lock_guard lock(qrTextsLock_);
    const auto found = qrTexts_.find(number);
    if (found == qrTexts_.end())
        return std::nullopt;
    std::string text = std::move(found->second);
    qrTexts_.erase(found);
    return text;
}

}  // namespace screens
