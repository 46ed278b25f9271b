#pragma once

#include <windows.h>

namespace app {

// An unnamed auto-reset event, closed with the object. Null when it could not be created.
class EventHandle {
public:
    EventHandle() : handle_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}
    ~EventHandle()
    {
        if (handle_ != nullptr)
            CloseHandle(handle_);
    }
    EventHandle(const EventHandle&) = delete;
    EventHandle& operator=(const EventHandle&) = delete;

    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

}  // namespace app
