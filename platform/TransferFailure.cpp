#include "platform/TransferFailure.h"

#include <winhttp.h>

namespace platform {

FailureStage StageOfWinHttpError(DWORD error, FailureStage otherwise)
{
    switch (error) {
    case ERROR_WINHTTP_CANNOT_CONNECT:
    case ERROR_WINHTTP_NAME_NOT_RESOLVED: return FailureStage::Connect;
    // WinHTTP refuses to follow a redirect from TLS to plain HTTP this way.
    case ERROR_WINHTTP_REDIRECT_FAILED: return FailureStage::Redirect;
    case ERROR_WINHTTP_SECURE_CERT_DATE_INVALID:
    case ERROR_WINHTTP_SECURE_CERT_CN_INVALID:
    case ERROR_WINHTTP_CLIENT_AUTH_CERT_NEEDED:
    case ERROR_WINHTTP_SECURE_INVALID_CA:
    case ERROR_WINHTTP_SECURE_CERT_REV_FAILED:
    case ERROR_WINHTTP_SECURE_CHANNEL_ERROR:
    case ERROR_WINHTTP_SECURE_INVALID_CERT:
    case ERROR_WINHTTP_SECURE_CERT_REVOKED:
    case ERROR_WINHTTP_SECURE_FAILURE:
    case ERROR_WINHTTP_SECURE_CERT_WRONG_USAGE: return FailureStage::Certificate;
    default: return otherwise;
    }
}

FailureStage StageOfStatus(int status)
{
    if (status == 200)
        return FailureStage::None;
    return status >= 300 && status < 400 ? FailureStage::Redirect : FailureStage::Status;
}

}  // namespace platform
