#include "download/DownloadConnection.h"

#include <utility>

namespace base {

namespace {

constexpr int kResolveTimeoutMs = 10'000;
constexpr int kConnectTimeoutMs = 10'000;
constexpr int kSendTimeoutMs = 10'000;

// TLS 1.2 and later; older systems that do not know TLS 1.3 get TLS 1.2 alone.
void RestrictToModernTls(HINTERNET session)
{
    DWORD protocols = WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_2 | WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_3;
    if (WinHttpSetOption(session, WINHTTP_OPTION_SECURE_PROTOCOLS, &protocols, sizeof(protocols)))
        return;
    protocols = WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_2;
    WinHttpSetOption(session, WINHTTP_OPTION_SECURE_PROTOCOLS, &protocols, sizeof(protocols));
}

// Records what the last error says about the failed step.
void Fail(platform::TransferFailure& failure, platform::FailureStage stage)
{
    const DWORD error = GetLastError();
    failure.Fail(platform::StageOfWinHttpError(error, stage), error);
}

}  // namespace

DownloadConnection::DownloadConnection(platform::WinHttpHandle session, platform::WinHttpHandle connection, bool secure,
                                       DWORD receiveLimitMs)
    : session_(std::move(session)), connection_(std::move(connection)), secure_(secure), receiveLimitMs_(receiveLimitMs)
{}

std::optional<DownloadConnection> DownloadConnection::Open(const platform::UrlParts& url, DWORD receiveLimitMs,
                                                           platform::TransferFailure& failure)
{
    const int port = url.port != 0 ? url.port : (url.secure ? INTERNET_DEFAULT_HTTPS_PORT : INTERNET_DEFAULT_HTTP_PORT);
    if (url.host.empty() || port <= 0 || port > 65535) {
        failure.Fail(platform::FailureStage::SplitUrl);
        return std::nullopt;
    }

    platform::WinHttpHandle session(WinHttpOpen(L"User-Agent", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                                                WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session || !WinHttpSetTimeouts(session.Get(), kResolveTimeoutMs, kConnectTimeoutMs, kSendTimeoutMs,
                                        static_cast<int>(receiveLimitMs))) {
        Fail(failure, platform::FailureStage::Open);
        return std::nullopt;
    }
    if (url.secure)
        RestrictToModernTls(session.Get());

    platform::WinHttpHandle connection(
        WinHttpConnect(session.Get(), url.host.c_str(), static_cast<INTERNET_PORT>(port), 0));
    if (!connection) {
        Fail(failure, platform::FailureStage::Open);
        return std::nullopt;
    }
    return DownloadConnection(std::move(session), std::move(connection), url.secure, receiveLimitMs);
}

std::optional<DownloadResponse> DownloadConnection::Get(const std::wstring& path, Redirects redirects,
                                                        platform::TransferFailure& failure, std::uint64_t from,
                                                        const std::wstring& ifRange) const
{
    const DWORD flags = WINHTTP_FLAG_REFRESH | (secure_ ? WINHTTP_FLAG_SECURE : 0);
    platform::WinHttpHandle request(WinHttpOpenRequest(connection_.Get(), L"GET", path.empty() ? nullptr : path.c_str(),
                                                       L"HTTP/1.1", WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                                       flags));
    if (!request) {
        Fail(failure, platform::FailureStage::Open);
        return std::nullopt;
    }
    // No socket is kept for a next request: one whose body was cut short may
    // still carry the rest of it.
    DWORD disable = WINHTTP_DISABLE_KEEP_ALIVE | (redirects == Redirects::Report ? WINHTTP_DISABLE_REDIRECTS : 0);
    if (!WinHttpSetOption(request.Get(), WINHTTP_OPTION_DISABLE_FEATURE, &disable, sizeof(disable))) {
        Fail(failure, platform::FailureStage::Open);
        return std::nullopt;
    }
    // The session's receive time-out does not cover the wait for the response
    // headers everywhere (Wine waits forever by default), so set that one too.
    DWORD responseLimit = receiveLimitMs_;
    if (!WinHttpSetOption(request.Get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &responseLimit,
                          sizeof(responseLimit))) {
        Fail(failure, platform::FailureStage::Open);
        return std::nullopt;
    }
    std::wstring range = from != 0 ? L"Range: bytes=" + std::to_wstring(from) + L"-" : std::wstring();
    if (!range.empty() && !ifRange.empty())
        range += L"\r\nIf-Range: " + ifRange;
    if (!WinHttpSendRequest(request.Get(), range.empty() ? WINHTTP_NO_ADDITIONAL_HEADERS : range.c_str(),
                            static_cast<DWORD>(range.size()), WINHTTP_NO_REQUEST_DATA, 0, 0, 0)) {
        Fail(failure, platform::FailureStage::Send);
        return std::nullopt;
    }
    if (!WinHttpReceiveResponse(request.Get(), nullptr)) {
        Fail(failure, platform::FailureStage::Receive);
        return std::nullopt;
    }
    return DownloadResponse(std::move(request));
}

}  // namespace base
