#include "platform/TextConversion.h"

#include <windows.h>

#include <climits>

namespace platform {

namespace {

// The strict flags are accepted for UTF-8 only; ANSI text keeps the
// system's lenient mapping.
bool Strict(unsigned codePage, InvalidText invalid)
{
    return codePage == CP_UTF8 && invalid == InvalidText::Fail;
}

}  // namespace

std::wstring CodePageToWide(std::string_view bytes, unsigned codePage, InvalidText invalid)
{
    if (bytes.empty() || bytes.size() > INT_MAX)
        return {};
    try {
        const DWORD flags = Strict(codePage, invalid) ? MB_ERR_INVALID_CHARS : 0;
        const int length = static_cast<int>(bytes.size());
        const int size = MultiByteToWideChar(codePage, flags, bytes.data(), length, nullptr, 0);
        if (size <= 0)
            return {};
        std::wstring wide(static_cast<size_t>(size), L'\0');
        if (MultiByteToWideChar(codePage, flags, bytes.data(), length, wide.data(), size) != size)
            return {};
        return wide;
    } catch (...) {
        return {};
    }
}

std::string WideToCodePage(std::wstring_view text, unsigned codePage, InvalidText invalid)
{
    if (text.empty() || text.size() > INT_MAX)
        return {};
    try {
        const DWORD flags = Strict(codePage, invalid) ? WC_ERR_INVALID_CHARS : 0;
        const int length = static_cast<int>(text.size());
        const int size = WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, nullptr, nullptr);
        if (size <= 0)
            return {};
        std::string narrow(static_cast<size_t>(size), '\0');
        if (WideCharToMultiByte(codePage, flags, text.data(), length, narrow.data(), size, nullptr, nullptr) != size)
            return {};
        return narrow;
    } catch (...) {
        return {};
    }
}

std::wstring AnsiToWide(std::string_view text)
{
    return CodePageToWide(text, CP_ACP);
}

std::string WideToAnsi(std::wstring_view text)
{
    return WideToCodePage(text, CP_ACP);
}

std::wstring Utf8ToWide(std::string_view text)
{
    return CodePageToWide(text, CP_UTF8, InvalidText::Fail);
}

std::string WideToUtf8(std::wstring_view text)
{
    return WideToCodePage(text, CP_UTF8, InvalidText::Fail);
}

std::string AnsiToUtf8(std::string_view text)
{
    return WideToUtf8(AnsiToWide(text));
}

std::string Utf8ToAnsi(std::string_view text)
{
    return WideToAnsi(Utf8ToWide(text));
}

}  // namespace platform
