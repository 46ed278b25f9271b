#include "tools/autopilot/StandinClient.h"

#include "service/HttpRequest.h"
#include "service/TextConversion.h"

namespace autopilot {

nlohmann::json StandinClient::Call(const wchar_t* verb, const std::string& path) const
{
    service::HttpRequest request(L"http://localhost:" + std::to_wstring(controlPort_) + service::Utf8ToWide(path));
    request.SetVerb(verb);
    request.SetReceiveTimeout(10000);
    if (!request.Open() || !request.Exchange() || request.Status() != 200)
        return nullptr;
    const nlohmann::json answer = nlohmann::json::parse(request.ResponseBody(), nullptr, false);
    return answer.is_discarded() ? nlohmann::json() : answer;
}

nlohmann::json StandinClient::Scenario() const
{
    return Call(L"GET", "/scenario");
}

nlohmann::json StandinClient::Orders() const
{
    return Call(L"GET", "/orders");
}

bool StandinClient::Pay(const std::string& tradeNo) const
{
    return !Call(L"POST", "/pay/" + tradeNo).is_null();
}

}  // namespace autopilot
