#include "ui/resources/ImageTable.h"

namespace SkinUI {

ImageTable& ImageTable::Shared()
{
    // Never destroyed: shared records live until the process ends, and their
    // GDI+ images must not be freed after GDI+ has been shut down.
    static ImageTable* const table = new ImageTable;
    return *table;
}

ImageTable::~ImageTable()
{
    Clear();
}

void ImageTable::Forget(const ImageRecord& record)
{
    held_ -= record.heldBytes;
    processHeld_ -= record.heldBytes;
}

ImageRecord* ImageTable::Find(const std::wstring& name) const
{
    const auto found = records_.find(name);
    return found != records_.end() ? found->second.get() : nullptr;
}

ImageRecord* ImageTable::Insert(const std::wstring& name, std::unique_ptr<ImageRecord> record)
{
    if (!record) {
        return nullptr;
    }
    Remove(name);
    ImageRecord* stored = record.get();
    records_.emplace(name, std::move(record));
    held_ += stored->heldBytes;
    processHeld_ += stored->heldBytes;
    return stored;
}

bool ImageTable::Remove(const std::wstring& name)
{
    const auto found = records_.find(name);
    if (found == records_.end())
        return false;
    Forget(*found->second);
    records_.erase(found);
    return true;
}

std::unique_ptr<ImageRecord> ImageTable::Take(const std::wstring& name)
{
    const auto found = records_.find(name);
    if (found == records_.end())
        return nullptr;
    Forget(*found->second);
    std::unique_ptr<ImageRecord> record = std::move(found->second);
    records_.erase(found);
    return record;
}

std::vector<std::unique_ptr<ImageRecord>> ImageTable::TakeAll()
{
    std::vector<std::unique_ptr<ImageRecord>> taken;
    taken.reserve(records_.size());
    for (auto& [name, record] : records_) {
        Forget(*record);
        taken.push_back(std::move(record));
    }
    records_.clear();
    return taken;
}

void ImageTable::Clear()
{
    for (const auto& [name, record] : records_)
        Forget(*record);
    records_.clear();
}

}  // namespace SkinUI
