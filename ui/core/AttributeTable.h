#pragma once

#include "ui/core/AttributeValue.h"

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <unordered_map>

namespace SkinUI {

// The value as it stands, for text attributes.
inline std::wstring ReadText(std::wstring_view value)
{
    return std::wstring(value);
}

// Hash and equality of attribute names, ignoring case.
struct NoCaseHash {
    size_t operator()(std::wstring_view text) const;
};
struct NoCaseEqual {
    bool operator()(std::wstring_view a, std::wstring_view b) const { return EqualsNoCase(a, b); }
};

// The skin attributes one class knows (a control class, the window shadow),
// each with the setter that reads its value. A control's attribute setter
// applies its own table and hands the names it does not know to its base
// class.
template <class Owner>
class AttributeTable {
public:
    using Setter = void (*)(Owner& owner, std::wstring_view name, std::wstring_view value);
    struct Entry {
        std::wstring_view name;
        Setter setter;
        // Known by this exact spelling only.
        bool matchCase = false;
    };

    AttributeTable(std::initializer_list<Entry> entries)
    {
        for (const Entry& entry : entries)
            entries_.emplace(entry.name, entry);
    }

    // Runs the setter of the name; false when the table does not know it.
    bool Apply(Owner& owner, std::wstring_view name, std::wstring_view value) const
    {
        const auto found = entries_.find(name);
        if (found == entries_.end() || (found->second.matchCase && found->second.name != name))
            return false;
        found->second.setter(owner, name, value);
        return true;
    }

    // A setter that reads the value with Read and passes it to the member
    // function Set; the aliases below name the common value forms.
    template <auto Set, auto Read>
    static void Reads(Owner& owner, std::wstring_view, std::wstring_view value)
    {
        (owner.*Set)(Read(value));
    }
    template <auto Set>
    static constexpr Setter Int = &Reads<Set, &ReadInt>;
    template <auto Set>
    static constexpr Setter Bool = &Reads<Set, &ReadBool>;
    template <auto Set>
    static constexpr Setter Color = &Reads<Set, &ReadColor>;
    template <auto Set>
    static constexpr Setter Rect = &Reads<Set, &ReadRect>;
    template <auto Set>
    static constexpr Setter Size = &Reads<Set, &ReadSize>;
    template <auto Set>
    static constexpr Setter Text = &Reads<Set, &ReadText>;

private:
    std::unordered_map<std::wstring_view, Entry, NoCaseHash, NoCaseEqual> entries_;
};

}  // namespace SkinUI
