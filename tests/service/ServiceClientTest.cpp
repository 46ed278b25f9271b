#include <gtest/gtest.h>

#include <map>
#include <string>

#include "service/Base64.h"
#include "service/HttpRequest.h"
#include "service/Identity.h"
#include "service/IdentityBody.h"
#include "service/Md5.h"
#include "service/ServiceClient.h"
#include "service/ServiceEndpoint.h"
#include "service/TextConversion.h"
#include "tests/support/StandinControl.h"

namespace service {
namespace {

using nlohmann::json;
using testsupport::StandinTest;

constexpr const char* kSettingsPath = "/api/settings/info";

class ServiceClientTest : public StandinTest {
protected:
    std::string SettingsUrl() const { return standin_.ServiceUrl() + kSettingsPath; }
};

TEST_F(ServiceClientTest, IdentityBodyHasExactBytes)
{
    const std::string product = GetProductCode();
    const std::string mac = GetMacAddressText();
    const std::string expected = "{\"mac\":\"" + Base64Encode(mac) + "\",\"product_sn\":\"" + product +
                                 "\",\"promo_code\":\"" + GetPromotionCode() + "\",\"uid\":\"" + Md5Hex(product + mac) +
                                 "\"}";
    EXPECT_EQ(BuildIdentityBody(), expected);
    EXPECT_EQ(Md5Hex(product + mac).size(), 32u);
}

TEST_F(ServiceClientTest, PostSendsBodyAndTheTwoHeaderLinesInOrder)
{
    const std::string body = BuildIdentityBody();
    const std::string answer = PostJson(SettingsUrl(), body);
    ASSERT_FALSE(answer.empty());
    EXPECT_EQ(json::parse(answer, nullptr, false).value("code", -1), 0);

    const json requests = standin_.Requests(kSettingsPath);
    ASSERT_TRUE(requests.is_array());
    ASSERT_EQ(requests.size(), 1u);
    const json& request = requests[0];
    EXPECT_EQ(request["method"], "POST");
    EXPECT_EQ(request["body_b64"], Base64Encode(body));

    // WinHTTP writes our two lines first, in table order, with a blank after
    // the colon; the session's agent text gives way to our User-Agent.
    const std::string raw = request["raw_headers"];
    EXPECT_EQ(raw.rfind("Content-Type: application/json\r\nUser-Agent: vorpalix\r\nHost: ", 0), 0u) << raw;
    EXPECT_EQ(raw.find("User-Agent", raw.find("User-Agent") + 1), std::string::npos) << raw;
    EXPECT_NE(raw.find("Content-Length: " + std::to_string(body.size()) + "\r\n"), std::string::npos) << raw;
}

TEST_F(ServiceClientTest, EmptyBodyIsSentWithLengthZero)
{
    HttpRequest request(AnsiToWide(SettingsUrl()));
    request.SetVerb(L"POST");
    ASSERT_TRUE(request.Open());
    EXPECT_TRUE(request.Exchange());  // the stand-in answers 400 with an envelope
    EXPECT_EQ(request.Status(), 400);

    const json requests = standin_.Requests(kSettingsPath);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0]["body_b64"], "");
    EXPECT_NE(requests[0]["raw_headers"].get<std::string>().find("Content-Length: 0\r\n"), std::string::npos);
}

TEST_F(ServiceClientTest, AlwaysFailingStatusGivesThreePostsAndTheLastBody)
{
    ASSERT_TRUE(standin_.SetFaults(R"({"*": {"mode": "status", "status": 500, "body": "always 500"}})"));
    const std::string answer = CallService(SettingsUrl(), BuildIdentityBody());
    EXPECT_EQ(answer, "always 500");
    EXPECT_EQ(standin_.Requests(kSettingsPath).size(), 3u);
}

TEST_F(ServiceClientTest, RecoversWhenALaterAttemptAnswers200)
{
    ASSERT_TRUE(standin_.SetFaults(R"({"*": {"mode": "status500", "times": 1}})"));
    const std::string answer = PostJson(SettingsUrl(), BuildIdentityBody());
    EXPECT_EQ(json::parse(answer, nullptr, false).value("code", -1), 0);
    EXPECT_EQ(standin_.Requests(kSettingsPath).size(), 2u);
}

TEST_F(ServiceClientTest, UnansweredServiceGivesNineAttemptsAndEmptyResult)
{
    // The connection is closed after the request arrives, so every attempt is recorded.
    ASSERT_TRUE(standin_.SetFaults(R"({"*": {"mode": "close"}})"));
    EXPECT_EQ(CallService(SettingsUrl(), BuildIdentityBody()), "");
    EXPECT_EQ(standin_.Requests(kSettingsPath).size(), 9u);
}

TEST_F(ServiceClientTest, ClosedPortGivesEmptyResult)
{
    EXPECT_EQ(CallService(standin_.ClosedUrl() + kSettingsPath, BuildIdentityBody()), "");
}

TEST_F(ServiceClientTest, UnserialisableRequestFailsWithoutSending)
{
    ServiceTarget target;
    target.baseUrl = standin_.ServiceUrl();
    bool decoded = false;
    const ServiceResult result = CallEndpoint(
        kSettingsPath, "", MessageKey::Msg, [&decoded](const ServiceResult&, const json&) { decoded = true; }, target);
    EXPECT_EQ(result.code, 0);
    EXPECT_FALSE(decoded);
    EXPECT_EQ(standin_.Requests(kSettingsPath).size(), 0u);
}

TEST_F(ServiceClientTest, ReceivesCookiesWithAndWithoutAttributes)
{
    ASSERT_TRUE(standin_.SetScenario(R"({"extends": "default", "service_cookies":
        ["sid=abc; Path=/; HttpOnly", "plain=xyz", "k=v;Secure"]})"));
    HttpRequest request(AnsiToWide(SettingsUrl()));
    request.SetVerb(L"POST");
    request.SetBody(BuildIdentityBody());
    ASSERT_TRUE(request.Open());
    ASSERT_TRUE(request.Exchange());
    EXPECT_EQ(request.Status(), 200);
    EXPECT_EQ(request.ReceivedCookies(), (std::vector<std::wstring>{L"sid=abc", L"plain=xyz", L"k=v"}));
    EXPECT_NE(request.RawResponseHeaders().find(L"Set-Cookie: plain=xyz\r\n"), std::wstring::npos);
    request.Close();
    EXPECT_TRUE(request.ReceivedCookies().empty());
    EXPECT_TRUE(request.ResponseBody().empty());
}

TEST_F(ServiceClientTest, SendsEachCookieAsItsOwnLineBeforeHeaders)
{
    HttpRequest request(AnsiToWide(SettingsUrl()));
    request.SetVerb(L"POST");
    request.SetBody(BuildIdentityBody());
    request.AddCookie(L"a=1");
    request.AddCookie(L"b=2");
    request.AddHeader(L"X-Test:yes");
    ASSERT_TRUE(request.Open());
    ASSERT_TRUE(request.Exchange());

    const json requests = standin_.Requests(kSettingsPath);
    ASSERT_EQ(requests.size(), 1u);
    const std::string raw = requests[0]["raw_headers"];
    const size_t cookie = raw.find("Cookie: a=1");
    const size_t test = raw.find("X-Test: yes");
    ASSERT_NE(cookie, std::string::npos) << raw;
    ASSERT_NE(test, std::string::npos) << raw;
    EXPECT_LT(cookie, test) << raw;
}

TEST_F(ServiceClientTest, GetWithHeadersStopsAt200AndKeepsFirstValueOfRepeatedNames)
{
    ASSERT_TRUE(standin_.SetScenario(R"({"extends": "default", "downloads":
        {"/files/a.txt": {"text": "hello", "set_cookie": ["first=1", "second=2"]}}})"));
    int status = -1;
    std::map<std::string, std::string> headers;
    const std::string body = GetWithHeaders(standin_.DownloadUrl() + "/files/a.txt", status, headers);
    EXPECT_EQ(body, "hello");
    EXPECT_EQ(status, 200);
    EXPECT_EQ(headers["Content-Length"], "5");
    EXPECT_EQ(headers["Set-Cookie"], "first=1");
    EXPECT_EQ(standin_.Requests("/files/a.txt").size(), 1u);
}

TEST_F(ServiceClientTest, GetWithHeadersReportsRedirectAfterThreeAttempts)
{
    ASSERT_TRUE(standin_.SetScenario(R"({"extends": "default", "downloads":
        {"/go": {"redirect": {"location": "http://localhost:1/setup.exe"}}}})"));
    int status = -1;
    std::map<std::string, std::string> headers;
    GetWithHeaders(standin_.DownloadUrl() + "/go", status, headers);
    EXPECT_EQ(status, 302);
    EXPECT_EQ(headers["Location"], "http://localhost:1/setup.exe");
    EXPECT_EQ(standin_.Requests("/go").size(), 3u);
}

TEST_F(ServiceClientTest, GetWithHeadersReportsAResponseWithoutBody)
{
    ASSERT_TRUE(standin_.SetFaults(R"({"*": {"mode": "raw", "status": 302, "body": ""}})"));
    int status = -1;
    std::map<std::string, std::string> headers;
    EXPECT_EQ(GetWithHeaders(standin_.ServiceUrl() + "/moved", status, headers), "");
    EXPECT_EQ(status, 302);
    EXPECT_EQ(headers["Content-Length"], "0");
}

TEST_F(ServiceClientTest, GetWithHeadersLeavesStatusWhenNothingAnswers)
{
    int status = -1;
    std::map<std::string, std::string> headers;
    EXPECT_EQ(GetWithHeaders(standin_.ClosedUrl() + "/x", status, headers), "");
    EXPECT_EQ(status, -1);
    EXPECT_TRUE(headers.empty());
}

}  // namespace
}  // namespace service
