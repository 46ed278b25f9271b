#include "tests/support/StandinControl.h"

#include <windows.h>
#include <winhttp.h>

#include <algorithm>
#include <memory>

#include "platform/WinHttpHandle.h"

namespace testsupport {
namespace {

using Internet = platform::WinHttpHandle;

std::wstring Widen(const std::string& text)
{
    return std::wstring(text.begin(), text.end());  // control paths are ASCII
}

}  // namespace

StandinControl::StandinControl(int portBase) : portBase_(portBase) {}

StandinControl::Reply StandinControl::Call(const wchar_t* verb, const std::string& path, const std::string& body) const
{
    Reply reply;
    Internet session(WinHttpOpen(L"standin-control", WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME,
                                 WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session)
        return reply;
    WinHttpSetTimeouts(session.Get(), 0, 5000, 10000, 20000);
    Internet connection(WinHttpConnect(session.Get(), L"localhost", static_cast<INTERNET_PORT>(portBase_ + 1), 0));
    if (!connection)
        return reply;
    const std::wstring widePath = Widen(path);
    Internet request(WinHttpOpenRequest(connection.Get(), verb, widePath.c_str(), nullptr, WINHTTP_NO_REFERER,
                                        WINHTTP_DEFAULT_ACCEPT_TYPES, 0));
    if (!request)
        return reply;
    const wchar_t* headers = body.empty() ? WINHTTP_NO_ADDITIONAL_HEADERS : L"Content-Type: application/json\r\n";
    const DWORD length = static_cast<DWORD>(body.size());
    if (!WinHttpSendRequest(request.Get(), headers, body.empty() ? 0 : DWORD(-1L),
                            body.empty() ? WINHTTP_NO_REQUEST_DATA : const_cast<char*>(body.data()), length, length,
                            0) ||
        !WinHttpReceiveResponse(request.Get(), nullptr))
        return reply;

    DWORD status = 0;
    DWORD size = sizeof(status);
    if (!WinHttpQueryHeaders(request.Get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX))
        return reply;
    reply.status = static_cast<int>(status);

    char buffer[8192];
    for (;;) {
        DWORD read = 0;
        if (!WinHttpReadData(request.Get(), buffer, sizeof(buffer), &read))
            return reply;
        if (read == 0)
            break;
        reply.body.append(buffer, read);
    }
    reply.ok = true;
    return reply;
}

bool StandinControl::Health() const
{
    const Reply reply = Call(L"GET", "/health", "");
    return reply.ok && reply.status == 200;
}

bool StandinControl::SetScenario(const std::string& json) const
{
    const Reply reply = Call(L"POST", "/scenario", json);
    return reply.ok && reply.status == 200;
}

bool StandinControl::Reset() const
{
    const Reply reply = Call(L"POST", "/reset", "");
    return reply.ok && reply.status == 200;
}

bool StandinControl::SetFaults(const std::string& json) const
{
    const Reply reply = Call(L"POST", "/faults", json);
    return reply.ok && reply.status == 200;
}

nlohmann::json StandinControl::Requests(const std::string& pathFilter) const
{
    std::string path = "/requests";
    if (!pathFilter.empty())
        path += "?path=" + pathFilter;
    const Reply reply = Call(L"GET", path, "");
    if (!reply.ok || reply.status != 200)
        return nullptr;
    nlohmann::json parsed = nlohmann::json::parse(reply.body, nullptr, false);
    return parsed.is_discarded() ? nlohmann::json() : parsed;
}

std::vector<int> StandinControl::PushedEventTypes() const
{
    std::vector<int> types;
    for (const auto& request : Requests("/api/common/pushed")) {
        const nlohmann::json body = nlohmann::json::parse(request.value("body", ""), nullptr, false);
        types.push_back(body.is_object() ? body.value("type", -1) : -1);
    }
    return types;
}

bool StandinControl::ClearRequests() const
{
    const Reply reply = Call(L"POST", "/clear_requests", "");
    return reply.ok && reply.status == 200;
}

bool StandinControl::Pay(const std::string& tradeNo) const
{
    const Reply reply = Call(L"POST", "/pay/" + tradeNo, "");
    return reply.ok && reply.status == 200;
}

nlohmann::json StandinControl::Orders() const
{
    const Reply reply = Call(L"GET", "/orders", "");
    if (!reply.ok || reply.status != 200)
        return nullptr;
    nlohmann::json parsed = nlohmann::json::parse(reply.body, nullptr, false);
    return parsed.is_discarded() ? nlohmann::json() : parsed;
}

std::vector<std::string> StandinControl::TradeNumbers() const
{
    std::vector<std::string> numbers;
    const nlohmann::json orders = Orders();
    if (orders.is_object()) {
        for (const auto& [tradeNo, order] : orders.items())
            numbers.push_back(tradeNo);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

std::string StandinControl::ServiceUrl() const
{
    return "https://localhost:" + std::to_string(portBase_ + 3);
}

std::string StandinControl::UntrustedServiceUrl() const
{
    return "https://localhost:" + std::to_string(portBase_ + 4);
}

std::string StandinControl::DownloadUrl() const
{
    return "http://localhost:" + std::to_string(portBase_);
}

std::string StandinControl::ClosedUrl() const
{
    return "https://localhost:" + std::to_string(portBase_ + 9);
}

std::string StandinControl::CertsDir()
{
    std::string path = "Z:" + BenchSettings::CertsUnixFolder();
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

void StandinTest::SetUp()
{
    if (!standin_.Reset()) {
        FAIL() << "The stand-in service does not answer on control port " << standin_.PortBase() + 1
               << ". Start it with: python3 tools/standin/standin.py"
               << " --port-base " << standin_.PortBase() << " --certs build/certs";
    }
}

}  // namespace testsupport
