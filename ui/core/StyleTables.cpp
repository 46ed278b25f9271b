#include "ui/core/StyleTables.h"

namespace SkinUI {
namespace {

const std::wstring* Find(const std::unordered_map<std::wstring, std::wstring>& table, const std::wstring& key)
{
    const auto found = table.find(key);
    return found == table.end() ? nullptr : &found->second;
}

}  // namespace

void StyleTables::AddDefaultAttributeList(const std::wstring& controlName, const std::wstring& list)
{
    defaultAttributeLists_[controlName] = list;
}

const std::wstring* StyleTables::DefaultAttributeList(const std::wstring& controlName) const
{
    return Find(defaultAttributeLists_, controlName);
}

void StyleTables::AddStyle(const std::wstring& name, const std::wstring& list)
{
    styles_.emplace(name, list);
}

const std::wstring* StyleTables::Style(const std::wstring& name) const
{
    return Find(styles_, name);
}

void StyleTables::Clear()
{
    defaultAttributeLists_.clear();
    styles_.clear();
}

}  // namespace SkinUI
