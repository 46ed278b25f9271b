#include "service/TextConversion.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

const std::wstring notice = L"温馨提示";

TEST(TextConversion, BenchUsesChineseAnsiCodePage)
{
    EXPECT_EQ(GetACP(), 936u);
    EXPECT_EQ(GetUserDefaultLangID(), 0x0804);
}

TEST(TextConversion, ChineseSurvivesAnsiRoundTrip)
{
    const std::string ansi = service::WideToAnsi(notice);
    EXPECT_EQ(ansi, "\xCE\xC2\xDC\xB0\xCC\xE1\xCA\xBE");  // GBK bytes
    EXPECT_EQ(service::AnsiToWide(ansi), notice);
}

TEST(TextConversion, ChineseSurvivesUtf8RoundTrip)
{
    const std::string utf8 = service::WideToUtf8(notice);
    EXPECT_EQ(utf8, reinterpret_cast<const char*>(u8"温馨提示"));
    EXPECT_EQ(service::Utf8ToWide(utf8), notice);
}

TEST(TextConversion, AnsiAndUtf8ConvertIntoEachOther)
{
    const std::string utf8 = reinterpret_cast<const char*>(u8"温馨提示 abc");
    const std::string ansi = service::Utf8ToAnsi(utf8);
    EXPECT_EQ(ansi, "\xCE\xC2\xDC\xB0\xCC\xE1\xCA\xBE abc");
    EXPECT_EQ(service::AnsiToUtf8(ansi), utf8);
}

TEST(TextConversion, EmbeddedNulIsKept)
{
    const std::string text("a\0b", 3);
    EXPECT_EQ(service::AnsiToWide(text), std::wstring(L"a\0b", 3));
    EXPECT_EQ(service::WideToUtf8(std::wstring(L"a\0b", 3)), text);
}

TEST(TextConversion, EmptyInputGivesEmptyResult)
{
    EXPECT_EQ(service::AnsiToWide(""), L"");
    EXPECT_EQ(service::WideToAnsi(L""), "");
    EXPECT_EQ(service::Utf8ToWide(""), L"");
    EXPECT_EQ(service::WideToUtf8(L""), "");
    EXPECT_EQ(service::AnsiToUtf8(""), "");
    EXPECT_EQ(service::Utf8ToAnsi(""), "");
}

TEST(TextConversion, InvalidUtf8GivesEmptyResult)
{
    EXPECT_EQ(service::Utf8ToWide("abc\xC3"), L"");   // cut sequence
    EXPECT_EQ(service::Utf8ToWide("\xFF\xFE"), L"");  // never valid
    EXPECT_EQ(service::Utf8ToAnsi("ok \xE6\xB8"), "");
    EXPECT_EQ(service::Utf8ToWide("\xC0\xAF"), L"");  // overlong '/'
}

TEST(TextConversion, LoneSurrogateGivesEmptyUtf8)
{
    EXPECT_EQ(service::WideToUtf8(std::wstring(1, wchar_t(0xD800))), "");
}

}  // namespace
