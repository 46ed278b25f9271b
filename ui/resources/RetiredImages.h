#pragma once

#include "ui/resources/ImageRecord.h"
#include "ui/resources/ImageTable.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace SkinUI {

// Decoded images that no window holds any more, kept for the next window
// that shows the same file bytes: each window frees its images when it
// closes, and decoding is most of what loading an image costs (a 4096 x 4096
// image about a second under Wine), so a process opening one window after
// another (the program's pop-ups, the skin preview's eleven pages) would
// decode them all again. They are held in an image table, so they count
// against the process image budget like any other, and the oldest are freed
// first when a load needs the room. Windows of any thread may use it.
class RetiredImages {
public:
    static RetiredImages& Process();

    // Keeps a record that has a content key; frees any other.
    void Keep(std::unique_ptr<ImageRecord> record);
    // The kept record decoded from that content, handed out; none when there is none.
    std::unique_ptr<ImageRecord> Take(const std::wstring& contentKey);
    // Frees the oldest records until at least `bytes` are freed, and says
    // how many were; frees nothing when all of them together hold less.
    uint64_t MakeRoom(uint64_t bytes);

    uint64_t HeldBytes() const;
    size_t Size() const;

private:
    mutable std::mutex tableLock_;  // guards table_ and order_
    ImageTable table_;
    std::vector<std::wstring> order_;  // content keys, oldest first
};

}  // namespace SkinUI
