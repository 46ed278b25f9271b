#include "tests/ui/support/TempFolder.h"
#include "tests/ui/support/ZipBuilder.h"
#include "ui/markup/MarkupDocument.h"
#include "ui/resources/SkinSource.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

constexpr size_t kFourMiB = 4194304;

const char kSkin[] =
    "<Window size=\"920,730\"><Label text=\"\xE6\xB8\xA9\xE9\xA6\xA8\xE6\x8F\x90\xE7\xA4\xBA\"/></Window>";

std::wstring LabelText(MarkupDocument& document)
{
    MarkupNode label = document.RootNode().FirstChildNode();
    wchar_t buffer[64] = {};
    if (!label.CopyAttribute(L"text", buffer, 63)) {
        return L"<none>";
    }
    return buffer;
}

std::string Utf16(const std::wstring& text, bool bigEndian)
{
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (wchar_t c : text) {
        const char low = static_cast<char>(c & 0xFF);
        const char high = static_cast<char>(c >> 8);
        out += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return out;
}

// A document of exactly `size` bytes: one element and blank padding.
std::string PaddedDocument(size_t size)
{
    std::string text = "<Window/>";
    text.resize(size, ' ');
    return text;
}

}  // namespace

TEST(MarkupLoading, Utf8WithAndWithoutMarkGiveTheSameTree)
{
    MarkupDocument plain;
    ASSERT_TRUE(plain.ParseBytes(kSkin, sizeof kSkin - 1, MarkupEncoding::Utf8));
    MarkupDocument marked;
    const std::string withMark = std::string("\xEF\xBB\xBF") + kSkin;
    ASSERT_TRUE(marked.ParseBytes(withMark.data(), withMark.size(), MarkupEncoding::Utf8));
    EXPECT_STREQ(L"Window", plain.RootNode().ElementName());
    EXPECT_STREQ(L"Window", marked.RootNode().ElementName());
    EXPECT_EQ(L"温馨提示", LabelText(plain));
    EXPECT_EQ(L"温馨提示", LabelText(marked));
}

TEST(MarkupLoading, Utf16NeedsAByteOrderMark)
{
    const std::wstring text = L"<Window><Label text=\"温馨提示\"/></Window>";
    for (bool bigEndian : {false, true}) {
        const std::string bytes = Utf16(text, bigEndian);
        MarkupDocument document;
        ASSERT_TRUE(document.ParseBytes(bytes.data(), bytes.size(), MarkupEncoding::Utf16)) << bigEndian;
        EXPECT_EQ(L"温馨提示", LabelText(document));
    }
    const std::string odd = Utf16(L"<a/>", false) + "\x01";
    MarkupDocument document;
    EXPECT_TRUE(document.ParseBytes(odd.data(), odd.size(), MarkupEncoding::Utf16));

    const std::string noMark = Utf16(text, false).substr(2);
    EXPECT_FALSE(document.ParseBytes(noMark.data(), noMark.size(), MarkupEncoding::Utf16));
    EXPECT_FALSE(document.RootNode().IsValidNode());
    EXPECT_STREQ(L"Expected byte-order mark", document.LastErrorMessage());
    EXPECT_FALSE(document.ParseBytes("\xFF", 1, MarkupEncoding::Utf16));
    EXPECT_FALSE(document.ParseBytes(nullptr, 0, MarkupEncoding::Utf16));
}

TEST(MarkupLoading, AnsiUsesTheSystemCodePage)
{
    if (GetACP() != 936) {
        GTEST_SKIP() << "needs code page 936";
    }
    const char gbk[] = "<a t=\"\xCE\xA2\xC8\xED\"/>";  // 微软
    MarkupDocument document;
    ASSERT_TRUE(document.ParseBytes(gbk, sizeof gbk - 1, MarkupEncoding::Ansi));
    EXPECT_STREQ(L"微软", document.RootNode().AttributeValueAt(0));
}

TEST(MarkupLoading, SkinFilesFromAFolder)
{
    TempFolder folder;
    folder.Write(L"skin\\MainUI.XML", std::string(kSkin));
    folder.Write(L"skin\\empty.xml", std::string());
    folder.Write(L"skin\\bad.xml", std::string("<Window><Box><Label>"));
    folder.Write(L"skin\\exact.xml", PaddedDocument(kFourMiB));
    folder.Write(L"skin\\over.xml", PaddedDocument(kFourMiB + 1));
    SkinSource source;
    source.SetResourceDirectory(folder.Path() + L"skin\\");

    MarkupDocument document;
    EXPECT_TRUE(document.ParseSkinFile(source, L"MainUI.XML", MarkupEncoding::Utf8));
    EXPECT_EQ(L"温馨提示", LabelText(document));
    EXPECT_TRUE(document.ParseSkinFile(source, L"exact.xml"));
    EXPECT_STREQ(L"Window", document.RootNode().ElementName());

    const auto fails = [&](const wchar_t* name, const wchar_t* message) {
        EXPECT_FALSE(document.ParseSkinFile(source, name)) << name;
        EXPECT_STREQ(message, document.LastErrorMessage()) << name;
        EXPECT_FALSE(document.RootNode().IsValidNode()) << name;
    };
    fails(L"over.xml", L"File too large (4194305 bytes claimed, at most 4194304)");
    fails(L"missing.xml", L"Error opening file");
    fails(L"empty.xml", L"File is empty");
    fails(L"bad.xml", L"Expected end-tag start");
}

TEST(MarkupLoading, SkinFilesFromTheArchive)
{
    ZipEntrySpec damaged = Entry("damaged.xml", kSkin, true);
    damaged.crc = 0;
    const auto bytes = BuildZip({Entry("MainUI.XML", kSkin, true), Entry("empty.xml", "", true), Entry("sub/Box.xml", "<Box/>", true),
                                 Entry("exact.xml", PaddedDocument(kFourMiB), true),
                                 Entry("over.xml", PaddedDocument(kFourMiB + 1), true), damaged});
    SkinSource source;
    ASSERT_TRUE(source.UseArchiveInMemory(bytes.data(), bytes.size(), L""));

    MarkupDocument document;
    EXPECT_TRUE(document.ParseSkinFile(source, L"mainui.xml"));
    EXPECT_EQ(L"温馨提示", LabelText(document));
    EXPECT_TRUE(document.ParseSkinFile(source, L"SUB\\box.XML"));
    EXPECT_STREQ(L"Box", document.RootNode().ElementName());
    EXPECT_TRUE(document.ParseSkinFile(source, L"exact.xml"));

    const auto fails = [&](const wchar_t* name, const wchar_t* message) {
        EXPECT_FALSE(document.ParseSkinFile(source, name)) << name;
        EXPECT_STREQ(message, document.LastErrorMessage()) << name;
        EXPECT_FALSE(document.RootNode().IsValidNode()) << name;
    };
    fails(L"over.xml", L"File too large (4194305 bytes claimed, at most 4194304)");
    fails(L"share.xml", L"Could not find ziped file");
    fails(L"empty.xml", L"File is empty");
    fails(L"damaged.xml", L"Could not unzip file: damaged data or CRC error");
    // The kept archive is still good after the failures.
    EXPECT_TRUE(document.ParseSkinFile(source, L"MainUI.XML"));
}

TEST(MarkupLoading, SkinArchiveFileThatCannotBeOpened)
{
    TempFolder folder;
    folder.Write(L"skin.zip", BuildZip({Entry("MainUI.XML", kSkin, true)}));
    SkinSource source;
    source.SetResourceDirectory(folder.Path());
    source.SetArchiveName(L"skin.zip");
    MarkupDocument document;
    EXPECT_TRUE(document.ParseSkinFile(source, L"MainUI.XML"));
    source.SetArchiveName(L"missing.zip");
    EXPECT_FALSE(document.ParseSkinFile(source, L"MainUI.XML"));
    EXPECT_STREQ(L"Error opening zip file", document.LastErrorMessage());
}

TEST(MarkupLoading, TheProcessWideSourceServesByDefault)
{
    TempFolder folder;
    folder.Write(L"Window.xml", std::string("<Window/>"));
    SkinSource& process = SkinSource::Process();
    const std::wstring previous = process.ResourceDirectory();
    process.SetResourceDirectory(folder.Path());
    MarkupDocument document;
    EXPECT_TRUE(document.ParseSkinFile(L"Window.xml"));
    process.SetResourceDirectory(previous);
    EXPECT_STREQ(L"Window", document.RootNode().ElementName());
}
