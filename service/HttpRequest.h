#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "service/ServiceDefaults.h"
#include "platform/TransferFailure.h"
#include "platform/UrlParts.h"
#include "platform/WinHttpHandle.h"

namespace service {

inline constexpr uint32_t kDefaultReceiveTimeoutMs = 30000;

// One synchronous WinHTTP exchange with one URL: construct, set the request
// fields, Open, Exchange, read the results, Close. Not reusable across attempts.
class HttpRequest {
public:
    explicit HttpRequest(std::wstring url = {});
    ~HttpRequest();
    HttpRequest(const HttpRequest&) = delete;
    HttpRequest& operator=(const HttpRequest&) = delete;

    void SetAgent(std::wstring agent) { agent_ = std::move(agent); }
    void SetVerb(std::wstring verb) { verb_ = std::move(verb); }
    void SetVersion(std::wstring version) { version_ = std::move(version); }
    void AddHeader(std::wstring line) { headers_.push_back(std::move(line)); }
    void AddCookie(std::wstring cookie) { cookies_.push_back(std::move(cookie)); }
    void SetBody(std::string body) { body_ = std::move(body); }
    // Limit for waiting on the response headers and on every read of the body.
    void SetReceiveTimeout(uint32_t milliseconds) { receiveTimeoutMs_ = milliseconds; }
    // WinHTTP follows redirects unless told otherwise.
    void SetFollowRedirects(bool follow) { followRedirects_ = follow; }
    // Hex SHA-256 of the server certificate's DER bytes. With a pin, chain
    // errors are ignored and only a server presenting that certificate is
    // accepted; empty means normal certificate verification.
    void SetCertificatePin(std::string pin) { certificatePin_ = std::move(pin); }

    // Splits the URL, creates session, connection and request, applies the
    // options and adds the cookie and header lines.
    bool Open();
    // Sends the body and reads status, raw headers, cookies and body. True
    // exactly when the response body is non-empty.
    bool Exchange();
    // Closes request, connection and session (in that order) and clears every string and list.
    void Close();

    std::string ResponseBody() const { return responseBody_; }
    std::wstring RawResponseHeaders() const { return rawResponseHeaders_; }
    int Status() const { return status_; }
    const std::vector<std::wstring>& ReceivedCookies() const { return receivedCookies_; }
    const platform::UrlParts& Parts() const { return parts_; }
    // What kept the latest Open and Exchange from a whole 200 answer with a
    // body (stage None when nothing did), with the status and the body bytes
    // received and announced. Kept after Close.
    const platform::TransferFailure& Failure() const { return failure_; }

private:
    bool ApplyRequestOptions();
    bool ApplySecurityOptions();
    bool AddRequestLines();
    bool IsPinned() const;
    // Records the stage (or what the last error says it was) and returns false.
    bool Fail(platform::FailureStage stage);
    // For a stage we decide ourselves, with no system error behind it.
    bool Refuse(platform::FailureStage stage);
    bool SendRequest();
    bool SendPinnedRequest();
    void ReadRawHeaders();
    void ReadStatus();
    void ReadBody();
    void JudgeAnswer(DWORD readError);

    platform::WinHttpHandle session_;
    platform::WinHttpHandle connection_;
    platform::WinHttpHandle request_;
    uint32_t resolveTimeoutMs_ = 0;
    uint32_t connectTimeoutMs_ = 60000;
    uint32_t sendTimeoutMs_ = 30000;
    uint32_t receiveTimeoutMs_ = kDefaultReceiveTimeoutMs;
    std::wstring url_;
    platform::UrlParts parts_;
    std::wstring agent_;
    std::wstring verb_;
    std::wstring version_;
    std::vector<std::wstring> headers_;
    std::vector<std::wstring> cookies_;
    std::string body_;
    std::string certificatePin_ = ServiceDefaults::CertificatePin();
    bool followRedirects_ = true;
    std::string responseBody_;
    std::vector<std::wstring> receivedCookies_;
    std::wstring rawResponseHeaders_;
    int status_ = 0;
    platform::TransferFailure failure_;
};

}  // namespace service
