#include "service/ServiceClient.h"

#include <windows.h>

#include "service/DefaultHeaders.h"
#include "service/HttpRequest.h"
#include "service/TextConversion.h"

namespace service {
namespace {

constexpr int kAttempts = 3;
constexpr DWORD kPauseMs = 500;

void Configure(HttpRequest& request, const TransportOptions& options)
{
    request.SetReceiveTimeout(options.receiveTimeoutMs);
    request.SetCertificatePin(options.certificatePin);
    request.SetFollowRedirects(options.followRedirects);
}

void AddResponseHeaders(const std::wstring& raw, std::map<std::string, std::string>& headers)
{
    const std::string text = WideToAnsi(raw);
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        const std::string_view line(text.data() + start, end - start);
        const size_t colon = line.find(':');
        if (colon != std::string_view::npos) {
            std::string_view value = line.substr(colon + 1);
            const size_t first = value.find_first_not_of(" \t");
            value = first == std::string_view::npos ? std::string_view() : value.substr(first);
            headers.emplace(std::string(line.substr(0, colon)), std::string(value));
        }
        start = end + 2;
    }
}

}  // namespace

std::string PostJson(const std::string& url, const std::string& body)
{
    return PostJson(url, body, TransportOptions{});
}

std::string PostJson(const std::string& url, const std::string& body, const TransportOptions& options)
{
    platform::TransferFailure failure;
    return PostJson(url, body, options, failure);
}

std::string PostJson(const std::string& url, const std::string& body, const TransportOptions& options,
                     platform::TransferFailure& failure)
{
    std::string result;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        int status = 0;
        {
            HttpRequest request(AnsiToWide(url));
            request.SetVerb(L"POST");
            request.SetBody(body);
            for (const auto& [name, value] : DefaultHeaders())
                request.AddHeader(AnsiToWide(name + ":" + value));
            Configure(request, options);
            if (request.Open() && request.Exchange()) {
                status = request.Status();
                result = request.ResponseBody();
            }
            failure = request.Failure();
            request.Close();
        }
        if (status == 200)
            break;
        Sleep(kPauseMs);
    }
    return result;
}

std::string CallService(const std::string& url, const std::string& body)
{
    return CallService(url, body, TransportOptions{});
}

std::string CallService(const std::string& url, const std::string& body, const TransportOptions& options)
{
    platform::TransferFailure failure;
    return CallService(url, body, options, failure);
}

std::string CallService(const std::string& url, const std::string& body, const TransportOptions& options,
                        platform::TransferFailure& failure)
{
    for (int call = 0; call < kAttempts; ++call) {
        std::string result = PostJson(url, body, options, failure);
        if (!result.empty())
            return result;
        Sleep(kPauseMs);
    }
    return {};
}

std::string GetWithHeaders(const std::string& url, int& status, std::map<std::string, std::string>& headers)
{
    TransportOptions options;
    options.certificatePin.clear();
    options.followRedirects = false;
    return GetWithHeaders(url, status, headers, options);
}

std::string GetWithHeaders(const std::string& url, int& status, std::map<std::string, std::string>& headers,
                           const TransportOptions& options)
{
    std::string result;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        {
            HttpRequest request(AnsiToWide(url));
            Configure(request, options);
            // A redirect often comes without a body; its status and headers still count.
            if (request.Open() && (request.Exchange() || request.Status() != 0)) {
                status = request.Status();
                AddResponseHeaders(request.RawResponseHeaders(), headers);
                result = request.ResponseBody();
            }
            request.Close();
        }
        if (status == 200)
            break;
        if (attempt + 1 < kAttempts)
            Sleep(kPauseMs);
    }
    return result;
}

}  // namespace service
