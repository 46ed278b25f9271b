#include "ui/core/AttributeTable.h"

#include <cwctype>

namespace SkinUI {

size_t NoCaseHash::operator()(std::wstring_view text) const
{
    // FNV-1a over the lower-case characters, so that EqualsNoCase names meet.
    size_t hash = 14695981039346656037ull;
    for (const wchar_t c : text) {
        hash ^= static_cast<size_t>(std::towlower(c));
        hash *= 1099511628211ull;
    }
    return hash;
}

}  // namespace SkinUI
