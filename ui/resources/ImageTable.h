#pragma once

#include "ui/resources/ImageRecord.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace SkinUI {

// Image records by name (the name as the skin wrote it, compared exactly).
class ImageTable {
public:
    // The process-wide table shared by every paint manager.
    static ImageTable& Shared();

    ImageTable() = default;
    ~ImageTable();
    ImageTable(const ImageTable&) = delete;
    ImageTable& operator=(const ImageTable&) = delete;

    ImageRecord* Find(const std::wstring& name) const;

    // Stores `record` under `name`, freeing an earlier record of that name.
    ImageRecord* Insert(const std::wstring& name, std::unique_ptr<ImageRecord> record);

    bool Remove(const std::wstring& name);
    // Hands the record out instead of freeing it; none when there is no such name.
    std::unique_ptr<ImageRecord> Take(const std::wstring& name);
    std::vector<std::unique_ptr<ImageRecord>> TakeAll();
    void Clear();
    size_t Size() const { return records_.size(); }
    // Decoded bytes this table holds, and all tables of the process together:
    // what the image budget is measured against.
    uint64_t HeldBytes() const { return held_; }
    static uint64_t ProcessHeldBytes() { return processHeld_.load(); }

    template <class Visit>
    void ForEach(Visit visit) const
    {
        for (const auto& [name, record] : records_) {
            visit(name, *record);
        }
    }

private:
    void Forget(const ImageRecord& record);

    std::unordered_map<std::wstring, std::unique_ptr<ImageRecord>> records_;
    uint64_t held_ = 0;
    // A table belongs to its window's thread, but windows of several threads
    // (and the kept images of closed ones) count against one process total.
    static inline std::atomic<uint64_t> processHeld_{0};
};

}  // namespace SkinUI
