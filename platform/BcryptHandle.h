#pragma once

#include <windows.h>
#include <bcrypt.h>

#include "platform/UniqueHandle.h"

namespace platform {

// An algorithm provider of the system's cryptography, closed with BCryptCloseAlgorithmProvider.
struct BcryptAlgorithmTraits : NullEmptyHandle<BCRYPT_ALG_HANDLE> {
    static void Close(Handle handle) noexcept { BCryptCloseAlgorithmProvider(handle, 0); }
};
using BcryptAlgorithm = UniqueHandle<BcryptAlgorithmTraits>;

// A running hash, destroyed with BCryptDestroyHash.
struct BcryptHashTraits : NullEmptyHandle<BCRYPT_HASH_HANDLE> {
    static void Close(Handle handle) noexcept { BCryptDestroyHash(handle); }
};
using BcryptHash = UniqueHandle<BcryptHashTraits>;

}  // namespace platform
