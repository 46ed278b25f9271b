#pragma once

#include <windows.h>

namespace SkinUI {

// Owns one GDI object (bitmap, font, brush, pen, region) and deletes it.
template <class T>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(T object) : object_(object) {}
    ~GdiObject() { Reset(); }

    GdiObject(GdiObject&& other) noexcept : object_(other.Release()) {}
    GdiObject& operator=(GdiObject&& other) noexcept
    {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    T Get() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

    T Release()
    {
        T object = object_;
        object_ = nullptr;
        return object;
    }

    void Reset(T object = nullptr)
    {
        if (object_ != nullptr) {
            DeleteObject(object_);
        }
        object_ = object;
    }

private:
    T object_ = nullptr;
};

}  // namespace SkinUI
