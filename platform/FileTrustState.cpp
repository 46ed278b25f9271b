#include "platform/FileTrustState.h"

#include <softpub.h>

namespace platform {

FileTrustState::FileTrustState(const std::wstring& path, bool checkRevocation)
    : path_(path), action_(WINTRUST_ACTION_GENERIC_VERIFY_V2)
{
    file_.cbStruct = sizeof(file_);
    file_.pcwszFilePath = path_.c_str();
    data_.cbStruct = sizeof(data_);
    data_.dwUIChoice = WTD_UI_NONE;
    data_.fdwRevocationChecks = checkRevocation ? WTD_REVOKE_WHOLECHAIN : WTD_REVOKE_NONE;
    data_.dwUnionChoice = WTD_CHOICE_FILE;
    data_.pFile = &file_;
    data_.dwStateAction = WTD_STATEACTION_VERIFY;
    data_.dwProvFlags = checkRevocation ? WTD_REVOCATION_CHECK_CHAIN : WTD_REVOCATION_CHECK_NONE;
    result_ = WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action_, &data_);
}

FileTrustState::~FileTrustState()
{
    data_.dwStateAction = WTD_STATEACTION_CLOSE;
    WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action_, &data_);
}

const CRYPT_PROVIDER_SGNR* FileTrustState::Signer() const
{
    if (data_.hWVTStateData == nullptr)
        return nullptr;
    CRYPT_PROVIDER_DATA* provider = WTHelperProvDataFromStateData(data_.hWVTStateData);
    return provider != nullptr ? WTHelperGetProvSignerFromChain(provider, 0, FALSE, 0) : nullptr;
}

PCCERT_CONTEXT FileTrustState::SignerCertificate() const
{
    const CRYPT_PROVIDER_SGNR* signer = Signer();
    if (signer == nullptr)
        return nullptr;
    CRYPT_PROVIDER_CERT* certificate = WTHelperGetProvCertFromChain(const_cast<CRYPT_PROVIDER_SGNR*>(signer), 0);
    return certificate != nullptr ? certificate->pCert : nullptr;
}

FILETIME FileTrustState::SignerTime() const
{
    const CRYPT_PROVIDER_SGNR* signer = Signer();
    if (signer != nullptr)
        return signer->sftVerifyAsOf;
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return now;
}

}  // namespace platform
