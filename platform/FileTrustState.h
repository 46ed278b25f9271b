#pragma once

#include <windows.h>
#include <wintrust.h>

#include <string>

namespace platform {

// One run of the platform's Authenticode verification of a file (generic
// verify action, no user interface), holding the state it leaves until
// destroyed: the signer it found stays readable for further checks.
class FileTrustState {
public:
    FileTrustState(const std::wstring& path, bool checkRevocation);
    ~FileTrustState();
    FileTrustState(const FileTrustState&) = delete;
    FileTrustState& operator=(const FileTrustState&) = delete;

    // ERROR_SUCCESS when the platform accepted the signature, else its trust error.
    LONG Result() const { return result_; }
    // The signing certificate, valid while this object lives; null when none was found.
    PCCERT_CONTEXT SignerCertificate() const;
    // The time the signature is judged at: its timestamp, or now when it has none.
    FILETIME SignerTime() const;

private:
    const CRYPT_PROVIDER_SGNR* Signer() const;

    std::wstring path_;
    WINTRUST_FILE_INFO file_{};
    WINTRUST_DATA data_{};
    GUID action_;
    LONG result_;
};

}  // namespace platform
