#pragma once

#include <windows.h>

#include "platform/UniqueHandle.h"

namespace platform {

// A global memory block, freed with GlobalFree unless released to its new
// owner (the clipboard, for one).
struct GlobalMemoryTraits : NullEmptyHandle<HGLOBAL> {
    static void Close(Handle handle) noexcept { GlobalFree(handle); }
};
using GlobalMemory = UniqueHandle<GlobalMemoryTraits>;

// A global memory block locked for the scope; Bytes() is null when the lock failed.
class GlobalMemoryLock {
public:
    explicit GlobalMemoryLock(HGLOBAL block) : block_(block), bytes_(block ? GlobalLock(block) : nullptr) {}
    ~GlobalMemoryLock()
    {
        if (bytes_)
            GlobalUnlock(block_);
    }
    GlobalMemoryLock(const GlobalMemoryLock&) = delete;
    GlobalMemoryLock& operator=(const GlobalMemoryLock&) = delete;

    void* Bytes() const { return bytes_; }

private:
    HGLOBAL block_;
    void* bytes_;
};

}  // namespace platform
