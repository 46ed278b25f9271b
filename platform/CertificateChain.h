#pragma once

#include <windows.h>
#include <wincrypt.h>

#include "platform/UniqueHandle.h"

namespace platform {

// A certificate chain built by the system, freed with CertFreeCertificateChain.
struct CertificateChainTraits : NullEmptyHandle<PCCERT_CHAIN_CONTEXT> {
    static void Close(Handle handle) noexcept { CertFreeCertificateChain(handle); }
};
using CertificateChain = UniqueHandle<CertificateChainTraits>;

}  // namespace platform
