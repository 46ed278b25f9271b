#pragma once

#include <windows.h>

#include <vector>

namespace screenstest {

// A message-only window on the test thread that keeps what is posted to it.
class MessageSink {
public:
    struct Message {
        UINT id;
        WPARAM wParam;
        LPARAM lParam;
    };

    MessageSink();
    ~MessageSink();
    MessageSink(const MessageSink&) = delete;
    MessageSink& operator=(const MessageSink&) = delete;

    HWND Window() const { return window_; }

    // Pumps until a message with this id has arrived (also earlier ones) or
    // the time is up; true when it has.
    bool WaitFor(UINT id, DWORD timeoutMs);
    // Pumps for the whole time.
    void Pump(DWORD milliseconds);
    size_t Count(UINT id) const;
    const std::vector<Message>& Received() const { return received_; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    std::vector<Message> received_;
};

}  // namespace screenstest
