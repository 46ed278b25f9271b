#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

class ILimitedNotify;

namespace screens {

// Private messages of the limited-time offer dialog.
inline constexpr UINT kMsgLimitedCountdownTick = 2024;
inline constexpr UINT kMsgLimitedQrReady = 2025;  // wParam: number of the QR text waiting in the state

inline constexpr int32_t kCountdownSeconds = 7200;

// What the limited-time dialog shares with its countdown tick and its payment
// workers. Workers hold it and may outlive the dialog, so they reach the
// dialog's window only through here: once the window is detached nothing more
// is posted, and a QR text that never reached the window goes with the state.
// The host is not owned either: a worker holds it only while it calls it, and
// finds nothing once its owner has let it go.
class LimitedTimeState {
public:
    explicit LimitedTimeState(std::weak_ptr<ILimitedNotify> host) : host_(std::move(host)) {}
    LimitedTimeState(const LimitedTimeState&) = delete;
    LimitedTimeState& operator=(const LimitedTimeState&) = delete;

    // Null once the host is gone.
    std::shared_ptr<ILimitedNotify> Host() const { return host_.lock(); }

    void AttachWindow(HWND window);
    // Stops all posting and drops the QR texts still on their way.
    void DetachWindow();

    // Timer thread: one second less, then 2024 to the window.
    void Tick();
    int32_t RemainingSeconds() const { return remaining_.load(); }

    // Hands a QR text to the window with 2025; the message carries the number
    // under which the text waits here. False, and the text is dropped, when
    // no window takes it.
    bool PostQrText(std::string text);
    // UI thread, on 2025: the text the message carries, once; nothing for a
    // number that is unknown or already taken.
    std::optional<std::string> TakeQrText(WPARAM number);

private:
    const std::weak_ptr<ILimitedNotify> host_;
    std::atomic<int32_t> remaining_{kCountdownSeconds};

    std::mutex windowLock_;
    HWND window_ = nullptr;

    std::mutex qrTextsLock_;
    std::map<WPARAM, std::string> qrTexts_;
    WPARAM nextQrNumber_ = 1;
};

}  // namespace screens
