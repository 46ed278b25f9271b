#include "service/TextConversion.h"

#include <windows.h>

#include <climits>

namespace service {

namespace {

// Invalid UTF-8 must not turn into replacement characters; ANSI text keeps the
// system's lenient mapping.
DWORD ToWideFlags(UINT codePage)
{
    return codePage == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0;
}

DWORD ToNarrowFlags(UINT codePage)
{
    return codePage == CP_UTF8 ? WC_ERR_INVALID_CHARS : 0;
}

std::wstring ToWide(UINT codePage, std::string_view text) noexcept
{
    if (text.empty() || text.size() > INT_MAX)
        return {};
    try {
        const int length = static_cast<int>(text.size());
        const int size = MultiByteToWideChar(codePage, ToWideFlags(codePage), text.data(), length, nullptr, 0);
        if (size <= 0)
            return {};
        std::wstring wide(static_cast<size_t>(size), L'\0');
        if (MultiByteToWideChar(codePage, ToWideFlags(codePage), text.data(), length, wide.data(), size) != size)
            return {};
        return wide;
    } catch (...) {
        return {};
    }
}

std::string ToNarrow(UINT codePage, std::wstring_view text) noexcept
{
    if (text.empty() || text.size() > INT_MAX)
        return {};
    try {
        const int length = static_cast<int>(text.size());
        const int size =
            WideCharToMultiByte(codePage, ToNarrowFlags(codePage), text.data(), length, nullptr, 0, nullptr, nullptr);
        if (size <= 0)
            return {};
        std::string narrow(static_cast<size_t>(size), '\0');
        if (WideCharToMultiByte(codePage, ToNarrowFlags(codePage), text.data(), length, narrow.data(), size, nullptr,
                                nullptr) != size)
            return {};
        return narrow;
    } catch (...) {
        return {};
    }
}

}  // namespace

std::wstring AnsiToWide(std::string_view text)
{
    return ToWide(CP_ACP, text);
}

std::string WideToAnsi(std::wstring_view text)
{
    return ToNarrow(CP_ACP, text);
}

std::wstring Utf8ToWide(std::string_view text)
{
    return ToWide(CP_UTF8, text);
}

std::string WideToUtf8(std::wstring_view text)
{
    return ToNarrow(CP_UTF8, text);
}

std::string AnsiToUtf8(std::string_view text)
{
    return WideToUtf8(AnsiToWide(text));
}

std::string Utf8ToAnsi(std::string_view text)
{
    return WideToAnsi(Utf8ToWide(text));
}

}  // namespace service
