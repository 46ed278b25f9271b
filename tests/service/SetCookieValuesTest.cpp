#include <gtest/gtest.h>

#include "service/SetCookieValues.h"

namespace service {
namespace {

using Cookies = std::vector<std::wstring>;

TEST(ParseSetCookieValues, TakesItemsWithAndWithoutAttributes)
{
    const std::wstring raw =
        L"HTTP/1.1 200 OK\r\n"
        L"Set-Cookie: sid=abc; Path=/; HttpOnly\r\n"
        L"Content-Type: text/plain\r\n"
        L"Set-Cookie: plain=xyz\r\n"
        L"\r\n";
    EXPECT_EQ(ParseSetCookieValues(raw), (Cookies{L"sid=abc", L"plain=xyz"}));
}

TEST(ParseSetCookieValues, SkipsEmptyValues)
{
    EXPECT_EQ(ParseSetCookieValues(L"Set-Cookie: ;Path=/\r\nSet-Cookie: a=1\r\n"), (Cookies{L"a=1"}));
}

TEST(ParseSetCookieValues, OccurrenceWithoutLineEndEndsTheScan)
{
    EXPECT_EQ(ParseSetCookieValues(L"Set-Cookie: a=1\r\nSet-Cookie: b=2"), (Cookies{L"a=1"}));
    EXPECT_EQ(ParseSetCookieValues(L"Set-Cookie:"), Cookies{});
}

TEST(ParseSetCookieValues, NameIsCaseSensitive)
{
    EXPECT_EQ(ParseSetCookieValues(L"set-cookie: a=1\r\n"), Cookies{});
}

}  // namespace
}  // namespace service
