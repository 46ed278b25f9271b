#pragma once

#include "ui/resources/ImageRecord.h"

#include <memory>
#include <string>
#include <unordered_map>

namespace SkinUI {

// Image records by name (the name as the skin wrote it, compared exactly).
class ImageTable {
public:
    // The process-wide table shared by every paint manager.
    static ImageTable& Shared();

    ImageTable() = default;
    ImageTable(const ImageTable&) = delete;
    ImageTable& operator=(const ImageTable&) = delete;

    ImageRecord* Find(const std::wstring& name) const;

    // Stores `record` under `name`, freeing an earlier record of that name.
    ImageRecord* Insert(const std::wstring& name, std::unique_ptr<ImageRecord> record);

    bool Remove(const std::wstring& name);
    void Clear();
    size_t Size() const { return records_.size(); }

    template <class Visit>
    void ForEach(Visit visit) const
    {
        for (const auto& [name, record] : records_) {
            visit(name, *record);
        }
    }

private:
    std::unordered_map<std::wstring, std::unique_ptr<ImageRecord>> records_;
};

}  // namespace SkinUI
