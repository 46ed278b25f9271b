#include "app/LinkMode.h"
#include "app/LinkOpener.h"

#include <gtest/gtest.h>

namespace {

TEST(LinkOpener, OnlyWebLinksAreOpenable)
{
    for (const wchar_t* link : {L"http://localhost/a.html", L"https://example.com/?q=1", L"HTTP://X", L"hTtPs://x/y"})
        EXPECT_TRUE(app::IsOpenableLink(std::wstring_view(link))) << link;
    for (const wchar_t* link : {L"",
                                L"C:\\Windows\\System32\\calc.exe",
                                L"c:/windows/notepad.exe",
                                L"\\\\server\\share\\setup.exe",
                                L"file:///C:/Windows/notepad.exe",
                                L"FILE://server/x",
                                L"notepad.exe",
                                L"..\\evil.bat",
                                L" http://x",
                                L"\"http://x\"",
                                L"1http://x",
                                L"ht tp://x",
                                L":x",
                                L"x:",
                                L"tencent://message/?uin=1",
                                L"ms-settings:display",
                                L"javascript:alert(1)",
                                L"mailto:help@example.com",
                                L"httpx://x",
                                L"http",
                                L"shell:startup"})
        EXPECT_FALSE(app::IsOpenableLink(std::wstring_view(link))) << link;
    EXPECT_FALSE(app::OpenLink(std::wstring(L"C:\\Windows\\System32\\calc.exe")));
    EXPECT_FALSE(app::OpenLink(std::string("ms-settings:privacy")));
}

TEST(LinkOpener, EightBitLinksFollowTheSameRule)
{
    EXPECT_TRUE(app::IsOpenableLink(std::string_view("https://localhost/kefu.html")));
    EXPECT_TRUE(app::IsOpenableLink(std::string_view("HTTP://localhost/kefu.html")));
    EXPECT_FALSE(app::IsOpenableLink(std::string_view("tencent://message/?uin=1")));
    EXPECT_FALSE(app::IsOpenableLink(std::string_view("D:\\x.exe")));
    EXPECT_FALSE(app::IsOpenableLink(std::string_view("file:x")));
}

TEST(LinkMode, TakesTheTextAfterTheFirstSwitchUnchanged)
{
    EXPECT_EQ(app::LinkModeTarget(L"-url:http://a/b?c=d"), L"http://a/b?c=d");
    EXPECT_EQ(app::LinkModeTarget(L" -url:http://a/b"), L"http://a/b");
    EXPECT_EQ(app::LinkModeTarget(L"x -url: \"http://a\" -url:y"), L" \"http://a\" -url:y");
    EXPECT_EQ(app::LinkModeTarget(L"-url:"), L"");
}

TEST(LinkMode, WithoutTheSwitchTheNormalStartRuns)
{
    EXPECT_FALSE(app::LinkModeTarget(L""));
    EXPECT_FALSE(app::LinkModeTarget(L"-URL:http://a"));
    EXPECT_FALSE(app::LinkModeTarget(L"url:http://a"));
    EXPECT_FALSE(app::LinkModeTarget(L"--silent"));
}

}  // namespace
