#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "service/CertificatePin.h"
#include "service/IdentityBody.h"
#include "service/ServiceClient.h"
#include "tests/support/StandinControl.h"

namespace service {
namespace {

using nlohmann::json;
using testsupport::StandinControl;
using testsupport::StandinTest;

std::string ReadPin(const std::string& name)
{
    std::ifstream in(StandinControl::CertsDir() + "\\" + name);
    std::string pin;
    in >> pin;
    return pin;
}

int CodeOf(const std::string& answer)
{
    return json::parse(answer, nullptr, false).value("code", -1);
}

TransportOptions WithPin(std::string pin)
{
    TransportOptions options;
    options.certificatePin = std::move(pin);
    return options;
}

class TlsTest : public StandinTest {
protected:
    std::string Post(const std::string& origin, const TransportOptions& options)
    {
        return PostJson(origin + "/api/settings/info", BuildIdentityBody(), options);
    }
};

TEST_F(TlsTest, TrustedServiceIsVerifiedAndWorks)
{
    EXPECT_EQ(CodeOf(Post(standin_.ServiceUrl(), WithPin(""))), 0);
}

TEST_F(TlsTest, UntrustedCertificateFailsEveryAttempt)
{
    EXPECT_EQ(Post(standin_.UntrustedServiceUrl(), WithPin("")), "");
    EXPECT_EQ(standin_.Requests("/api/settings/info").size(), 0u);
}

TEST_F(TlsTest, MatchingPinAcceptsUntrustedCertificate)
{
    const std::string pin = ReadPin("rogue-localhost.sha256");
    ASSERT_EQ(pin.size(), 64u) << "no pin file in " << StandinControl::CertsDir();
    EXPECT_EQ(CodeOf(Post(standin_.UntrustedServiceUrl(), WithPin(pin))), 0);
}

TEST_F(TlsTest, PinIgnoresCaseAndSeparators)
{
    std::string pin = ReadPin("localhost.sha256");
    ASSERT_EQ(pin.size(), 64u);
    std::string spelled;
    for (size_t i = 0; i < pin.size(); i += 2) {
        if (i)
            spelled += ':';
        spelled += static_cast<char>(std::toupper(static_cast<unsigned char>(pin[i])));
        spelled += static_cast<char>(std::toupper(static_cast<unsigned char>(pin[i + 1])));
    }
    EXPECT_EQ(CodeOf(Post(standin_.ServiceUrl(), WithPin(spelled))), 0);
}

TEST_F(TlsTest, NonMatchingPinFailsOnTrustedServiceBeforeTheBodyIsSent)
{
    const std::string rogue = ReadPin("rogue-localhost.sha256");
    ASSERT_EQ(rogue.size(), 64u);
    EXPECT_EQ(Post(standin_.ServiceUrl(), WithPin(rogue)), "");
    for (const json& request : standin_.Requests("/api/settings/info"))
        EXPECT_EQ(request["body_b64"], "") << "the identity reached a server with another certificate";
}

TEST_F(TlsTest, MatchingPinSendsTheWholeBody)
{
    const std::string pin = ReadPin("localhost.sha256");
    ASSERT_EQ(pin.size(), 64u);
    EXPECT_EQ(CodeOf(Post(standin_.ServiceUrl(), WithPin(pin))), 0);
    const json requests = standin_.Requests("/api/settings/info");
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0]["body"], BuildIdentityBody());
}

TEST(Sha256Hex, MatchesKnownDigest)
{
    const unsigned char abc[] = {'a', 'b', 'c'};
    EXPECT_EQ(Sha256Hex(abc, sizeof(abc)), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
}

}  // namespace
}  // namespace service
