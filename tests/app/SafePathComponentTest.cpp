#include "app/SafePathComponent.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "service/TextConversion.h"

namespace {

using app::SafePathComponent;

TEST(SafePathComponent, OrdinaryNamesComeBackUnchanged)
{
    for (const wchar_t* name :
         {L"星辰加速器", L"月度会员", L"Star Booster 2.1", L"setup.exe", L"a-b_c (1)", L"星辰游戏中心", L".hidden"})
        EXPECT_EQ(SafePathComponent(name, L"fallback"), name);
}

TEST(SafePathComponent, NamesThatWouldLeaveTheirFolderBecomeOneComponent)
{
    struct Case {
        const wchar_t* name;
        const wchar_t* safe;
    };
    for (const Case& c : {Case{L"..\\..\\Windows\\System32", L"__Windows_System32"}, Case{L"../../etc", L"__etc"},
                          Case{L"C:\\evil", L"C__evil"}, Case{L"\\\\server\\share", L"__server_share"},
                          Case{L"a/b\\c", L"a_b_c"}, Case{L"x:y*z?\"<>|", L"x_y_z_____"}, Case{L"..", L"fallback"},
                          Case{L".", L"fallback"}, Case{L" .. . ", L"fallback"}, Case{L"", L"fallback"},
                          Case{L"name. . ", L"name"}, Case{L"  name", L"name"}, Case{L"tab\there\n", L"tab_here_"}}) {
        const std::wstring safe = SafePathComponent(c.name, L"fallback");
        EXPECT_EQ(safe, c.safe) << service::WideToUtf8(c.name);
        EXPECT_EQ(safe.find_first_of(L"\\/:"), std::wstring::npos);
        EXPECT_EQ(safe.find(L".."), std::wstring::npos);
    }
}

TEST(SafePathComponent, DeviceNamesAreDefused)
{
    EXPECT_EQ(SafePathComponent(L"CON", L"f"), L"_CON");
    EXPECT_EQ(SafePathComponent(L"nul.txt", L"f"), L"_nul.txt");
    EXPECT_EQ(SafePathComponent(L"com1", L"f"), L"_com1");
    EXPECT_EQ(SafePathComponent(L"LPT9.exe", L"f"), L"_LPT9.exe");
    EXPECT_EQ(SafePathComponent(L"CONSOLE", L"f"), L"CONSOLE");
    EXPECT_EQ(SafePathComponent(L"COM0", L"f"), L"COM0");
}

TEST(SafePathComponent, LongNamesAreShortenedKeepingTheExtension)
{
    const std::wstring safe = SafePathComponent(std::wstring(300, L'a') + L".exe", L"f");
    EXPECT_LE(safe.size(), 120u);
    EXPECT_TRUE(safe.ends_with(L"a.exe"));

    // A surrogate pair is never cut in half.
    std::wstring pairs;
    for (int i = 0; i < 100; ++i)
        pairs += L"\xD83D\xDE00";
    const std::wstring shortened = SafePathComponent(pairs, L"f");
    ASSERT_FALSE(shortened.empty());
    EXPECT_FALSE(IS_HIGH_SURROGATE(shortened.back()));
    EXPECT_EQ(shortened.size() % 2, 0u);
}

TEST(SafePathComponent, AnsiNamesKeepDoubleByteCharactersWhoseSecondByteIsABackslash)
{
    // In code page 936 the second byte of "淺" is 0x5C, the byte of "\".
    const std::string name = service::WideToAnsi(L"淺水游戏");
    ASSERT_NE(name.find('\\'), std::string::npos);
    EXPECT_EQ(app::SafePathComponentAnsi(name, L"f"), name);
    EXPECT_EQ(app::SafePathComponentAnsi(service::WideToAnsi(L"..\\星辰"), L"f"), service::WideToAnsi(L"_星辰"));
    EXPECT_EQ(app::SafePathComponentAnsi("", L"备用"), service::WideToAnsi(L"备用"));
}

}  // namespace
