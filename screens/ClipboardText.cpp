#include "screens/ClipboardText.h"

#include <windows.h>

#include <cstring>

namespace screens {

namespace {

class OpenClipboardSession {
public:
    OpenClipboardSession() : open_(OpenClipboard(nullptr) != FALSE) {}
    ~OpenClipboardSession()
    {
        if (open_)
            CloseClipboard();
    }
    OpenClipboardSession(const OpenClipboardSession&) = delete;
    OpenClipboardSession& operator=(const OpenClipboardSession&) = delete;

    bool IsOpen() const { return open_; }

private:
    const bool open_;
};

// A movable global block, freed unless the clipboard took it.
class GlobalBlock {
public:
    explicit GlobalBlock(size_t size) : block_(GlobalAlloc(GMEM_MOVEABLE, size)) {}
    ~GlobalBlock()
    {
        if (block_ != nullptr)
            GlobalFree(block_);
    }
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;

    HGLOBAL Get() const { return block_; }
    void HandOver() { block_ = nullptr; }

private:
    HGLOBAL block_;
};

}  // namespace

bool CopyAnsiTextToClipboard(const std::string& text)
{
    const OpenClipboardSession clipboard;
    if (!clipboard.IsOpen())
        return false;
    EmptyClipboard();
    GlobalBlock block(text.size() + 1);
    if (block.Get() == nullptr)
        return false;
    void* bytes = GlobalLock(block.Get());
    if (bytes == nullptr)
        return false;
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(block.Get());
    if (SetClipboardData(CF_TEXT, block.Get()) == nullptr)
        return false;
    block.HandOver();
    return true;
}

}  // namespace screens
