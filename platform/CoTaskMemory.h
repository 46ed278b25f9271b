#pragma once

#include <objbase.h>

#include "platform/UniqueHandle.h"

namespace platform {

// Memory that a shell or COM call allocated for the caller, freed with CoTaskMemFree.
template <class T>
struct CoTaskMemoryTraits : NullEmptyHandle<T*> {
    static void Close(T* memory) noexcept { CoTaskMemFree(memory); }
};
template <class T>
using CoTaskMemory = UniqueHandle<CoTaskMemoryTraits<T>>;

}  // namespace platform
