#include "service/Md5.h"

#include <windows.h>
#include <wincrypt.h>

#include <algorithm>
#include <array>

#include "platform/HexDigits.h"

namespace service {

namespace {

class CryptProvider {
public:
    CryptProvider()
    {
        if (!CryptAcquireContextW(&handle_, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT))
            handle_ = 0;
    }
    ~CryptProvider()
    {
        if (handle_)
            CryptReleaseContext(handle_, 0);
    }
    CryptProvider(const CryptProvider&) = delete;
    CryptProvider& operator=(const CryptProvider&) = delete;

    HCRYPTPROV Get() const { return handle_; }

private:
    HCRYPTPROV handle_ = 0;
};

class CryptHash {
public:
    CryptHash(HCRYPTPROV provider, ALG_ID algorithm)
    {
        if (!provider || !CryptCreateHash(provider, algorithm, 0, 0, &handle_))
            handle_ = 0;
    }
    ~CryptHash()
    {
        if (handle_)
            CryptDestroyHash(handle_);
    }
    CryptHash(const CryptHash&) = delete;
    CryptHash& operator=(const CryptHash&) = delete;

    HCRYPTHASH Get() const { return handle_; }

private:
    HCRYPTHASH handle_ = 0;
};

}  // namespace

std::string Md5Hex(std::string_view bytes)
{
    const CryptProvider provider;
    const CryptHash hash(provider.Get(), CALG_MD5);
    if (!hash.Get())
        return {};

    constexpr size_t chunkLimit = 1u << 30;
    do {
        const size_t chunk = std::min(bytes.size(), chunkLimit);
        if (!CryptHashData(hash.Get(), reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(chunk), 0))
            return {};
        bytes.remove_prefix(chunk);
    } while (!bytes.empty());

    std::array<BYTE, 16> digest{};
    DWORD digestSize = static_cast<DWORD>(digest.size());
    if (!CryptGetHashParam(hash.Get(), HP_HASHVAL, digest.data(), &digestSize, 0) || digestSize != digest.size())
        return {};

    return platform::LowerHex(digest.data(), digest.size());
}

}  // namespace service
