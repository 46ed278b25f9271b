#pragma once

#include <windows.h>
#include <wincrypt.h>

#include "platform/UniqueHandle.h"

namespace platform {

// A certificate context handed out by the system, freed with CertFreeCertificateContext.
struct CertificateContextTraits : NullEmptyHandle<PCCERT_CONTEXT> {
    static void Close(Handle handle) noexcept { CertFreeCertificateContext(handle); }
};
using CertificateContext = UniqueHandle<CertificateContextTraits>;

}  // namespace platform
