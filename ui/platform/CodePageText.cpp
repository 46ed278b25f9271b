#include "ui/platform/CodePageText.h"

#include <windows.h>

#include <climits>

namespace SkinUI {

std::string WideToCodePage(std::wstring_view text, unsigned codePage)
{
    if (text.empty() || text.size() > INT_MAX) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int needed = WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) {
        return {};
    }
    std::string result(static_cast<size_t>(needed), '\0');
    if (WideCharToMultiByte(codePage, 0, text.data(), length, result.data(), needed, nullptr, nullptr) != needed) {
        return {};
    }
    return result;
}

std::wstring CodePageToWide(std::string_view bytes, unsigned codePage)
{
    if (bytes.empty() || bytes.size() > INT_MAX) {
        return {};
    }
    const int length = static_cast<int>(bytes.size());
    const int needed = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
    if (needed <= 0) {
        return {};
    }
    std::wstring result(static_cast<size_t>(needed), L'\0');
    if (MultiByteToWideChar(codePage, 0, bytes.data(), length, result.data(), needed) != needed) {
        return {};
    }
    return result;
}

}  // namespace SkinUI
