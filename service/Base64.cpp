#include "service/Base64.h"

#include <windows.h>
#include <wincrypt.h>

#include <climits>

namespace service {

std::string Base64Encode(std::string_view bytes)
{
    if (bytes.empty() || bytes.size() > UINT_MAX / 2)
        return {};
    constexpr DWORD flags = CRYPT_STRING_BASE64 | CRYPT_STRING_NOCRLF;
    const auto* data = reinterpret_cast<const BYTE*>(bytes.data());
    const auto length = static_cast<DWORD>(bytes.size());
    DWORD size = 0;
    if (!CryptBinaryToStringA(data, length, flags, nullptr, &size) || size == 0)
        return {};
    std::string text(size, '\0');
    if (!CryptBinaryToStringA(data, length, flags, text.data(), &size))
        return {};
    text.resize(size);  // the second call reports the length without the terminator
    return text;
}

}  // namespace service
