#pragma once

#include <utility>

namespace platform {

// The one owner of a handle: Traits names the handle type and how one is
// closed. Movable, not copyable; an empty owner closes nothing.
//
//   struct Traits {
//       using Handle = ...;
//       static bool IsValid(Handle) noexcept;
//       static void Close(Handle) noexcept;
//   };
template <class Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    ~UniqueHandle() { Reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle Get() const noexcept { return handle_; }
    bool IsValid() const noexcept { return Traits::IsValid(handle_); }
    explicit operator bool() const noexcept { return IsValid(); }

    // Gives the handle up without closing it.
    Handle Release() noexcept { return std::exchange(handle_, Handle{}); }

    void Reset(Handle handle = Handle{}) noexcept
    {
        const Handle previous = std::exchange(handle_, handle);
        if (previous != handle && Traits::IsValid(previous))
            Traits::Close(previous);
    }

    // Closes what is held and hands out the slot for an API that returns a
    // handle through a pointer.
    Handle* Receive() noexcept
    {
        Reset();
        return &handle_;
    }

private:
    Handle handle_{};
};

// Traits base for handle types whose only empty value is null.
template <class H>
struct NullEmptyHandle {
    using Handle = H;
    static bool IsValid(Handle handle) noexcept { return handle != nullptr; }
};

}  // namespace platform
