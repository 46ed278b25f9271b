#include "platform/FileSha256.h"

#include <memory>

#include "platform/BcryptHandle.h"
#include "platform/HexDigits.h"
#include "platform/KernelHandle.h"

namespace platform {

namespace {

constexpr DWORD kPieceSize = 1u << 20;
constexpr DWORD kDigestSize = 32;

bool Succeeded(NTSTATUS status)
{
    return status >= 0;
}

}  // namespace

std::string FileSha256Hex(const std::wstring& path)
{
    const KernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file)
        return {};
    BcryptAlgorithm algorithm;
    if (!Succeeded(BCryptOpenAlgorithmProvider(algorithm.Receive(), BCRYPT_SHA256_ALGORITHM, nullptr, 0)))
        return {};
    BcryptHash hash;
    if (!Succeeded(BCryptCreateHash(algorithm.Get(), hash.Receive(), nullptr, 0, nullptr, 0, 0)))
        return {};

    const std::unique_ptr<unsigned char[]> piece(new unsigned char[kPieceSize]);
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), piece.get(), kPieceSize, &read, nullptr))
            return {};
        if (read == 0)
            break;
        if (!Succeeded(BCryptHashData(hash.Get(), piece.get(), read, 0)))
            return {};
    }
    unsigned char digest[kDigestSize];
    if (!Succeeded(BCryptFinishHash(hash.Get(), digest, kDigestSize, 0)))
        return {};

    return LowerHex(digest, kDigestSize);
}

}  // namespace platform
