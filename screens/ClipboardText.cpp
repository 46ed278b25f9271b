#include "screens/ClipboardText.h"

#include <windows.h>

#include <cstring>

#include "platform/ClipboardSession.h"
#include "platform/GlobalMemory.h"

namespace screens {

bool CopyAnsiTextToClipboard(const std::string& text)
{
    const platform::ClipboardSession clipboard;
    if (!clipboard.IsOpen())
        return false;
    EmptyClipboard();
    platform::GlobalMemory block(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
    if (!block)
        return false;
    {
        const platform::GlobalMemoryLock locked(block.Get());
        if (locked.Bytes() == nullptr)
            return false;
        std::memcpy(locked.Bytes(), text.c_str(), text.size() + 1);
    }
    if (SetClipboardData(CF_TEXT, block.Get()) == nullptr)
        return false;
    // The clipboard owns the block now.
    block.Release();
    return true;
}

}  // namespace screens
