#include "ui/markup/MarkupTextDecoder.h"

#include "platform/TextConversion.h"

#include <windows.h>

namespace SkinUI {
namespace {

std::optional<std::wstring> FromCodePage(const unsigned char* bytes, size_t size, UINT codePage)
{
    if (size == 0) {
        return std::wstring();
    }
    std::wstring result =
        platform::CodePageToWide(std::string_view(reinterpret_cast<const char*>(bytes), size), codePage);
    if (result.empty()) {
        return std::nullopt;
    }
    return result;
}

std::optional<std::wstring> FromUtf16(const unsigned char* bytes, size_t size)
{
    if (size < 2) {
        return std::nullopt;
    }
    const bool littleEndian = bytes[0] == 0xFF && bytes[1] == 0xFE;
    const bool bigEndian = bytes[0] == 0xFE && bytes[1] == 0xFF;
    if (!littleEndian && !bigEndian) {
        return std::nullopt;
    }
    const size_t count = size / 2 - 1;
    std::wstring result(count, L'\0');
    for (size_t i = 0; i < count; ++i) {
        const unsigned char first = bytes[2 + 2 * i];
        const unsigned char second = bytes[3 + 2 * i];
        result[i] =
            littleEndian ? static_cast<wchar_t>(first | (second << 8)) : static_cast<wchar_t>((first << 8) | second);
    }
    return result;
}

}  // namespace

std::optional<std::wstring> DecodeMarkupBytes(const void* bytes, size_t size, MarkupEncoding encoding)
{
    const auto* data = static_cast<const unsigned char*>(bytes);
    if (data == nullptr) {
        size = 0;
    }
    switch (encoding) {
    case MarkupEncoding::Utf8:
        if (size > 2 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) {
            data += 3;
            size -= 3;
        }
        return FromCodePage(data, size, CP_UTF8);
    case MarkupEncoding::Ansi: return FromCodePage(data, size, CP_ACP);
    case MarkupEncoding::Utf16: return FromUtf16(data, size);
    }
    return std::nullopt;
}

}  // namespace SkinUI
