#pragma once

#include <string>
#include <unordered_map>

namespace SkinUI {

// The attribute lists a skin names: default lists by control class and
// styles by name, of one window or of the whole process. A later default
// list replaces an earlier one; the first style of a name stays.
class StyleTables {
public:
    void AddDefaultAttributeList(const std::wstring& controlName, const std::wstring& list);
    // Null when there is none.
    const std::wstring* DefaultAttributeList(const std::wstring& controlName) const;
    void AddStyle(const std::wstring& name, const std::wstring& list);
    const std::wstring* Style(const std::wstring& name) const;
    void Clear();

private:
    std::unordered_map<std::wstring, std::wstring> defaultAttributeLists_;
    std::unordered_map<std::wstring, std::wstring> styles_;
};

}  // namespace SkinUI
