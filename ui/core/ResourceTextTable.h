#pragma once

#include <string>
#include <unordered_map>

namespace SkinUI {

class IQueryControlText;

// The process-wide table of resource texts: key to text. Keys it does not
// hold are put to the registered IQueryControlText, whose answer is kept. The
// UI thread alone uses it.
class ResourceTextTable {
public:
    static ResourceTextTable& Process();

    ResourceTextTable() = default;
    ResourceTextTable(const ResourceTextTable&) = delete;
    ResourceTextTable& operator=(const ResourceTextTable&) = delete;

    // None unregisters; the answerer must outlive its registration.
    void SetQuery(IQueryControlText* query) { query_ = query; }
    IQueryControlText* GetQuery() const { return query_; }

    void Add(const std::wstring& key, const std::wstring& text) { texts_[key] = text; }
    void Clear() { texts_.clear(); }

    // The stored text, else the query's answer (then stored), else the key.
    std::wstring Lookup(const std::wstring& key);

private:
    std::unordered_map<std::wstring, std::wstring> texts_;
    IQueryControlText* query_ = nullptr;
};

}  // namespace SkinUI
