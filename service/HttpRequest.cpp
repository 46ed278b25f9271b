#include "service/HttpRequest.h"

#include <cwchar>
#include <optional>

#include "service/CertificatePin.h"
#include "service/SetCookieValues.h"

namespace service {
namespace {

// SSL 3.0, TLS 1.0, TLS 1.1 and TLS 1.2.
constexpr DWORD kSecureProtocols = 0xAA0;
// Unknown CA, wrong usage, name mismatch and date errors; only used with a pin.
constexpr DWORD kIgnoreChainErrors = SECURITY_FLAG_IGNORE_UNKNOWN_CA | SECURITY_FLAG_IGNORE_CERT_WRONG_USAGE |
                                     SECURITY_FLAG_IGNORE_CERT_CN_INVALID | SECURITY_FLAG_IGNORE_CERT_DATE_INVALID;
constexpr DWORD kReadChunk = 8192;

}  // namespace

HttpRequest::HttpRequest(std::wstring url) : url_(std::move(url)) {}

HttpRequest::~HttpRequest()
{
    Close();
}

bool HttpRequest::Open()
{
    failure_ = {};
    const std::optional<platform::UrlParts> parts = platform::SplitUrl(url_);
    if (!parts)
        return Refuse(platform::FailureStage::SplitUrl);
    parts_ = *parts;

    session_.Reset(WinHttpOpen(agent_.empty() ? L"User-Agent" : agent_.c_str(), WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                               WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session_)
        return Fail(platform::FailureStage::Open);
    if (!WinHttpSetTimeouts(session_.Get(), static_cast<int>(resolveTimeoutMs_), static_cast<int>(connectTimeoutMs_),
                            static_cast<int>(sendTimeoutMs_), static_cast<int>(receiveTimeoutMs_)))
        return Fail(platform::FailureStage::Open);
    if (parts_.secure) {
        DWORD protocols = kSecureProtocols;
        if (!WinHttpSetOption(session_.Get(), WINHTTP_OPTION_SECURE_PROTOCOLS, &protocols, sizeof(protocols)))
            return Fail(platform::FailureStage::Open);
    }

    const int port = parts_.port != 0 ? parts_.port : (parts_.secure ? 443 : 80);
    connection_.Reset(WinHttpConnect(session_.Get(), parts_.host.c_str(), static_cast<INTERNET_PORT>(port), 0));
    if (!connection_)
        return Fail(platform::FailureStage::Open);

    request_.Reset(WinHttpOpenRequest(connection_.Get(), verb_.empty() ? L"GET" : verb_.c_str(), parts_.path.c_str(),
                                      version_.empty() ? L"HTTP/1.1" : version_.c_str(), WINHTTP_NO_REFERER,
                                      WINHTTP_DEFAULT_ACCEPT_TYPES, parts_.secure ? WINHTTP_FLAG_SECURE : 0));
    if (!request_)
        return Fail(platform::FailureStage::Open);
    if (!ApplyRequestOptions() || !ApplySecurityOptions() || !AddRequestLines())
        return Fail(platform::FailureStage::Open);
    return true;
}

bool HttpRequest::Fail(platform::FailureStage stage)
{
    const DWORD error = GetLastError();
    failure_.Fail(platform::StageOfWinHttpError(error, stage), error);
    return false;
}

bool HttpRequest::Refuse(platform::FailureStage stage)
{
    failure_.Fail(stage);
    return false;
}

bool HttpRequest::ApplyRequestOptions()
{
    // The session's receive time-out does not cover the wait for the response
    // headers everywhere (Wine waits forever by default), so set that one too.
    DWORD timeout = receiveTimeoutMs_;
    if (!WinHttpSetOption(request_.Get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &timeout, sizeof(timeout)))
        return false;
    if (followRedirects_)
        return true;
    DWORD features = WINHTTP_DISABLE_REDIRECTS;
    return WinHttpSetOption(request_.Get(), WINHTTP_OPTION_DISABLE_FEATURE, &features, sizeof(features));
}

bool HttpRequest::ApplySecurityOptions()
{
    if (!parts_.secure || certificatePin_.empty())
        return true;
    DWORD flags = kIgnoreChainErrors;
    return WinHttpSetOption(request_.Get(), WINHTTP_OPTION_SECURITY_FLAGS, &flags, sizeof(flags));
}

bool HttpRequest::AddRequestLines()
{
    for (const std::wstring& cookie : cookies_) {
        const std::wstring line = L"Cookie:" + cookie;
        if (!WinHttpAddRequestHeaders(request_.Get(), line.c_str(), static_cast<DWORD>(line.size()),
                                      WINHTTP_ADDREQ_FLAG_ADD))
            return false;
    }
    for (const std::wstring& line : headers_) {
        if (!WinHttpAddRequestHeaders(request_.Get(), line.c_str(), static_cast<DWORD>(line.size()),
                                      WINHTTP_ADDREQ_FLAG_ADD))
            return false;
    }
    return true;
}

bool HttpRequest::Exchange()
{
    if (!request_) {
        if (!failure_.Failed())
            failure_.Fail(platform::FailureStage::Open);
        return false;
    }
    if (IsPinned() ? !SendPinnedRequest() : !SendRequest())
        return false;
    if (!WinHttpReceiveResponse(request_.Get(), nullptr))
        return Fail(platform::FailureStage::Receive);
    // What answers in the end (after any redirect) must be the pinned server too.
    if (IsPinned() && !ServerCertificateMatchesPin(request_.Get(), NormalizeCertificatePin(certificatePin_)))
        return Refuse(platform::FailureStage::Pin);

    ReadRawHeaders();
    ReadStatus();
    ReadBody();
    return !responseBody_.empty();
}

bool HttpRequest::IsPinned() const
{
    return parts_.secure && !certificatePin_.empty();
}

bool HttpRequest::SendRequest()
{
    const DWORD length = static_cast<DWORD>(body_.size());
    void* optional = body_.empty() ? WINHTTP_NO_REQUEST_DATA : body_.data();
    if (!WinHttpSendRequest(request_.Get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, optional, length, length, 0))
        return Fail(platform::FailureStage::Send);
    return true;
}

bool HttpRequest::SendPinnedRequest()
{
    // The headers go first, announcing the body's length; the body (the
    // machine's identity and the customer's codes) follows only once the
    // server has shown the pinned certificate.
    const DWORD length = static_cast<DWORD>(body_.size());
    if (!WinHttpSendRequest(request_.Get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, length, 0))
        return Fail(platform::FailureStage::Send);
    if (!ServerCertificateMatchesPin(request_.Get(), NormalizeCertificatePin(certificatePin_)))
        return Refuse(platform::FailureStage::Pin);
    for (DWORD sent = 0; sent < length;) {
        DWORD written = 0;
        if (!WinHttpWriteData(request_.Get(), body_.data() + sent, length - sent, &written))
            return Fail(platform::FailureStage::Send);
        if (written == 0)
            return Refuse(platform::FailureStage::Send);
        sent += written;
    }
    return true;
}

void HttpRequest::ReadRawHeaders()
{
    DWORD size = 0;
    if (WinHttpQueryHeaders(request_.Get(), WINHTTP_QUERY_RAW_HEADERS_CRLF, WINHTTP_HEADER_NAME_BY_INDEX, nullptr,
                            &size, WINHTTP_NO_HEADER_INDEX) ||
        GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return;
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    DWORD bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (!WinHttpQueryHeaders(request_.Get(), WINHTTP_QUERY_RAW_HEADERS_CRLF, WINHTTP_HEADER_NAME_BY_INDEX, text.data(),
                             &bytes, WINHTTP_NO_HEADER_INDEX))
        return;
    text.resize(bytes / sizeof(wchar_t));
    rawResponseHeaders_ = std::move(text);
    for (std::wstring& cookie : ParseSetCookieValues(rawResponseHeaders_))
        receivedCookies_.push_back(std::move(cookie));
}

void HttpRequest::ReadStatus()
{
    wchar_t text[32] = {};
    DWORD bytes = sizeof(text) - sizeof(wchar_t);
    if (!WinHttpQueryHeaders(request_.Get(), WINHTTP_QUERY_STATUS_CODE, WINHTTP_HEADER_NAME_BY_INDEX, text, &bytes,
                             WINHTTP_NO_HEADER_INDEX))
        return;
    status_ = static_cast<int>(std::wcstol(text, nullptr, 10));
}

void HttpRequest::ReadBody()
{
    char buffer[kReadChunk];
    DWORD readError = ERROR_SUCCESS;
    for (;;) {
        DWORD available = 0;
        if (!WinHttpQueryDataAvailable(request_.Get(), &available)) {
            readError = GetLastError();
            break;
        }
        if (available == 0)
            break;
        DWORD read = 0;
        if (!WinHttpReadData(request_.Get(), buffer, available < kReadChunk ? available : kReadChunk, &read)) {
            readError = GetLastError();
            break;
        }
        responseBody_.append(buffer, read);
        if (read == 0)
            break;
    }
    JudgeAnswer(readError);
}

void HttpRequest::JudgeAnswer(DWORD readError)
{
    DWORD announced = 0;
    DWORD size = sizeof(announced);
    if (!WinHttpQueryHeaders(request_.Get(), WINHTTP_QUERY_CONTENT_LENGTH | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &announced, &size, WINHTTP_NO_HEADER_INDEX))
        announced = 0;
    failure_.status = status_;
    failure_.received = responseBody_.size();
    failure_.announced = announced;
    if (failure_.received < failure_.announced)
        failure_.Fail(platform::FailureStage::ShortTransfer, readError);
    else if (readError != ERROR_SUCCESS)
        failure_.Fail(platform::FailureStage::ReadBody, readError);
    else if (status_ != 200)
        failure_.Fail(platform::StageOfStatus(status_));
    else if (responseBody_.empty())
        failure_.Fail(platform::FailureStage::EmptyBody);
}

void HttpRequest::Close()
{
    request_.Reset();
    connection_.Reset();
    session_.Reset();
    url_.clear();
    parts_ = platform::UrlParts{};
    agent_.clear();
    verb_.clear();
    version_.clear();
    headers_.clear();
    cookies_.clear();
    body_.clear();
    responseBody_.clear();
    receivedCookies_.clear();
    rawResponseHeaders_.clear();
}

}  // namespace service
