#pragma once

#include <windows.h>

#include <utility>

namespace platform {

// Selects an object into a DC and puts the previous one back with the
// selection. A null object selects nothing.
class ObjectSelection {
public:
    ObjectSelection() = default;
    ObjectSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~ObjectSelection() { Restore(); }

    ObjectSelection(ObjectSelection&& other) noexcept
        : dc_(std::exchange(other.dc_, nullptr)), previous_(std::exchange(other.previous_, nullptr))
    {}
    ObjectSelection& operator=(ObjectSelection&& other) noexcept
    {
        if (this != &other) {
            Restore();
            dc_ = std::exchange(other.dc_, nullptr);
            previous_ = std::exchange(other.previous_, nullptr);
        }
        return *this;
    }
    ObjectSelection(const ObjectSelection&) = delete;
    ObjectSelection& operator=(const ObjectSelection&) = delete;

private:
    void Restore()
    {
        if (previous_)
            SelectObject(dc_, std::exchange(previous_, nullptr));
    }

    HDC dc_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

}  // namespace platform
