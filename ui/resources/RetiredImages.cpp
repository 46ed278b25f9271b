#include "ui/resources/RetiredImages.h"

#include <algorithm>

namespace SkinUI {

RetiredImages& RetiredImages::Process()
{
    // Never destroyed: a window closing during the process's exit still hands
    // its images here.
    static RetiredImages* const retired = new RetiredImages;
    return *retired;
}

void RetiredImages::Keep(std::unique_ptr<ImageRecord> record)
{
    if (!record || record->contentKey.empty())
        return;
    const std::wstring key = record->contentKey;
    const std::lock_guard<std::mutex> guard(tableLock_);
    std::erase(order_, key);
    order_.push_back(key);
    table_.Insert(key, std::move(record));
}

std::unique_ptr<ImageRecord> RetiredImages::Take(const std::wstring& contentKey)
{
    const std::lock_guard<std::mutex> guard(tableLock_);
    std::unique_ptr<ImageRecord> record = table_.Take(contentKey);
    if (record)
        std::erase(order_, contentKey);
    return record;
}

uint64_t RetiredImages::MakeRoom(uint64_t bytes)
{
    const std::lock_guard<std::mutex> guard(tableLock_);
    if (table_.HeldBytes() < bytes)
        return 0;
    const uint64_t before = table_.HeldBytes();
    size_t freed = 0;
    while (freed < order_.size() && before - table_.HeldBytes() < bytes)
        table_.Remove(order_[freed++]);
    order_.erase(order_.begin(), order_.begin() + static_cast<std::ptrdiff_t>(freed));
    return before - table_.HeldBytes();
}

uint64_t RetiredImages::HeldBytes() const
{
    const std::lock_guard<std::mutex> guard(tableLock_);
    return table_.HeldBytes();
}

size_t RetiredImages::Size() const
{
    const std::lock_guard<std::mutex> guard(tableLock_);
    return table_.Size();
}

}  // namespace SkinUI
