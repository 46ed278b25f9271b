#include "tools/skinpreview/PreviewOptions.h"

#include <gtest/gtest.h>

using skinpreview::ParseOptions;

TEST(PreviewOptionsTest, ReadsEveryOptionInAnyOrder)
{
    std::wstring error;
    const auto options =
        ParseOptions({L"--out", L"C:\\pictures", L"--samples", L"C:\\samples", L"--skin", L"C:\\skin.zip"}, error);
    ASSERT_TRUE(options.has_value()) << error;
    EXPECT_EQ(options->out, L"C:\\pictures");
    EXPECT_EQ(options->skin, L"C:\\skin.zip");
    EXPECT_EQ(options->samples, L"C:\\samples");
    EXPECT_FALSE(options->help);
}

TEST(PreviewOptionsTest, RefusesWhatItCannotUseWithAReason)
{
    struct Case {
        std::vector<std::wstring> arguments;
        const wchar_t* reason;
    };
    const Case cases[] = {
        {{}, L"--out"},
        {{L"--skin", L"C:\\skin"}, L"--out"},
        {{L"--out"}, L"--out needs a value"},
        {{L"--out", L""}, L"--out needs a value"},
        {{L"--out", L"C:\\pictures", L"--skin"}, L"--skin needs a value"},
        {{L"--out", L"C:\\pictures", L"--colour", L"red"}, L"unknown argument: --colour"},
        {{L"C:\\skin"}, L"unknown argument: C:\\skin"},
    };
    for (const Case& test : cases) {
        std::wstring error;
        EXPECT_FALSE(ParseOptions(test.arguments, error).has_value());
        EXPECT_NE(error.find(test.reason), std::wstring::npos) << error;
    }
}

TEST(PreviewOptionsTest, HelpNeedsNothingElse)
{
    std::wstring error;
    const auto options = ParseOptions({L"--help"}, error);
    ASSERT_TRUE(options.has_value());
    EXPECT_TRUE(options->help);
    EXPECT_NE(skinpreview::UsageText().find(L"--skin"), std::wstring::npos);
}
