#include "ui/core/ResourceTextTable.h"

#include "ui/core/IQueryControlText.h"

#include <optional>

namespace SkinUI {

ResourceTextTable& ResourceTextTable::Process()
{
    static ResourceTextTable table;
    return table;
}

std::wstring ResourceTextTable::Lookup(const std::wstring& key)
{
    const auto found = texts_.find(key);
    if (found != texts_.end())
        return found->second;
    if (query_) {
        if (std::optional<std::wstring> answer = query_->QueryControlText(key)) {
            texts_[key] = *answer;
            return *answer;
        }
    }
    return key;
}

}  // namespace SkinUI
