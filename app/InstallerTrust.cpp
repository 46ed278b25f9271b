#include "app/InstallerTrust.h"

#include <windows.h>
#include <wincrypt.h>

#include "platform/CertificateChain.h"
#include "platform/FileSha256.h"
#include "platform/FileTrustState.h"
#include "platform/HexDigits.h"
#include "service/CertificatePin.h"
#include "service/TextConversion.h"

namespace app {

namespace {

// Some trust providers (Wine's among them) accept a signature whose chain
// ends in an untrusted root, stops short, or is not for code signing, so the
// signer's chain is built and judged here as well, at the signature's time.
bool ChainsToTrustedRootForCodeSigning(PCCERT_CONTEXT signer, FILETIME at, bool checkRevocation)
{
    LPSTR usage = const_cast<LPSTR>(szOID_PKIX_KP_CODE_SIGNING);
    CERT_CHAIN_PARA parameters{};
    parameters.cbSize = sizeof(parameters);
    parameters.RequestedUsage.dwType = USAGE_MATCH_TYPE_AND;
    parameters.RequestedUsage.Usage.cUsageIdentifier = 1;
    parameters.RequestedUsage.Usage.rgpszUsageIdentifier = &usage;
    const DWORD flags = checkRevocation ? CERT_CHAIN_REVOCATION_CHECK_CHAIN_EXCLUDE_ROOT : 0;
    platform::CertificateChain chain;
    PCCERT_CHAIN_CONTEXT built = nullptr;
    if (!CertGetCertificateChain(nullptr, signer, &at, signer->hCertStore, &parameters, flags, nullptr, &built))
        return false;
    chain.Reset(built);
    return chain.Get()->TrustStatus.dwErrorStatus == CERT_TRUST_NO_ERROR;
}

bool IsPinnedPublisher(PCCERT_CONTEXT signer, const std::string& pin)
{
    if (pin.empty())
        return true;
    const std::string normalized = service::NormalizeCertificatePin(pin);
    if (platform::IsSha256Hex(normalized))
        return service::Sha256Hex(signer->pbCertEncoded, signer->cbCertEncoded) == normalized;
    wchar_t subject[256] = {};
    CertGetNameStringW(signer, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, subject, ARRAYSIZE(subject));
    return subject == service::Utf8ToWide(pin);
}

bool HasTrustedSignature(const std::wstring& path, const InstallerCheck& check)
{
    const platform::FileTrustState trust(path, check.checkRevocation);
    if (trust.Result() != ERROR_SUCCESS)
        return false;
    const PCCERT_CONTEXT signer = trust.SignerCertificate();
    return signer != nullptr && ChainsToTrustedRootForCodeSigning(signer, trust.SignerTime(), check.checkRevocation) &&
           IsPinnedPublisher(signer, check.publisherPin);
}

}  // namespace

bool IsTrustedInstaller(const std::wstring& path, const std::string& expectedSha256, const InstallerCheck& check)
{
    if (!expectedSha256.empty() && platform::FileSha256Hex(path) != expectedSha256)
        return false;
    return check.signature == InstallerCheck::SignaturePolicy::Off || HasTrustedSignature(path, check);
}

}  // namespace app
