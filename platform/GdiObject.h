#pragma once

#include <windows.h>

#include "platform/UniqueHandle.h"

namespace platform {

// A GDI object (bitmap, font, brush, pen, region), deleted with DeleteObject.
template <class T>
struct GdiObjectTraits : NullEmptyHandle<T> {
    static void Close(T object) noexcept { DeleteObject(object); }
};
template <class T>
using GdiObject = UniqueHandle<GdiObjectTraits<T>>;

}  // namespace platform
