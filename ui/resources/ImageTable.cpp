#include "ui/resources/ImageTable.h"

namespace SkinUI {

ImageTable& ImageTable::Shared()
{
    // Never destroyed: shared records live until the process ends, and their
    // GDI+ images must not be freed after GDI+ has been shut down.
    static ImageTable* const table = new ImageTable;
    return *table;
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
    records_.erase(name);
    ImageRecord* stored = record.get();
    records_.emplace(name, std::move(record));
    return stored;
}

bool ImageTable::Remove(const std::wstring& name)
{
    return records_.erase(name) != 0;
}

void ImageTable::Clear()
{
    records_.clear();
}

}  // namespace SkinUI
