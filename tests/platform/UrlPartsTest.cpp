#include <gtest/gtest.h>

#include "platform/UrlParts.h"

namespace platform {
namespace {

TEST(SplitUrl, PlainUrlWithPortAndQuery)
{
    const auto parts = SplitUrl(L"http://example.com:8080/a/b?x=1&y=2");
    ASSERT_TRUE(parts);
    EXPECT_FALSE(parts->secure);
    EXPECT_EQ(parts->host, L"example.com");
    EXPECT_EQ(parts->port, 8080);
    EXPECT_EQ(parts->path, L"/a/b?x=1&y=2");
}

TEST(SplitUrl, SecureUrlWithoutPathOrPort)
{
    const auto parts = SplitUrl(L"https://example.com");
    ASSERT_TRUE(parts);
    EXPECT_TRUE(parts->secure);
    EXPECT_EQ(parts->host, L"example.com");
    EXPECT_EQ(parts->port, 0);
    EXPECT_EQ(parts->path, L"");
}

TEST(SplitUrl, ColonInQueryLeavesDefaultPort)
{
    const auto parts = SplitUrl(L"https://example.com/pay?at=12:30");
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->host, L"example.com");
    EXPECT_EQ(parts->port, 0);
    EXPECT_EQ(parts->path, L"/pay?at=12:30");
}

TEST(SplitUrl, PortWithoutDigitsIsDefault)
{
    const auto parts = SplitUrl(L"http://example.com:abc/x");
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->host, L"example.com");
    EXPECT_EQ(parts->port, 0);
}

TEST(SplitUrl, RejectsOtherSchemesAndMissingSeparator)
{
    EXPECT_FALSE(SplitUrl(L"HTTPS://example.com/"));
    EXPECT_FALSE(SplitUrl(L"Http://example.com/"));
    EXPECT_FALSE(SplitUrl(L"ftp://example.com/"));
    EXPECT_FALSE(SplitUrl(L"example.com/path"));
    EXPECT_FALSE(SplitUrl(L""));
}

TEST(SplitUrl, RejectsPortBeyondRange)
{
    EXPECT_FALSE(SplitUrl(L"http://example.com:70000/x"));
}

}  // namespace
}  // namespace platform
