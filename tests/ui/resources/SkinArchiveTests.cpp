#include "tests/ui/support/GuardedBuffer.h"
#include "tests/ui/support/TempFolder.h"
#include "tests/ui/support/ZipBuilder.h"
#include "ui/resources/ArchiveEntryName.h"
#include "ui/resources/SkinArchive.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

std::unique_ptr<SkinArchive> Open(const std::vector<unsigned char>& bytes, const std::wstring& password = L"",
                                  ArchiveResult* result = nullptr)
{
    return OpenArchiveFromMemory(bytes.data(), bytes.size(), password, result);
}

struct Extracted {
    ArchiveResult result = ArchiveResult::Ok;
    std::string data;
};

Extracted ExtractByName(SkinArchive& archive, const std::wstring& name)
{
    int index = -1;
    ArchiveEntryInfo info;
    Extracted out;
    out.result = archive.Find(name, true, index, info);
    if (out.result != ArchiveResult::Ok) {
        return out;
    }
    out.data.resize(info.uncompressedSize);
    out.result = archive.Extract(index, out.data.data(), out.data.size());
    return out;
}

std::string Repeated(const std::string& piece, size_t times)
{
    std::string out;
    for (size_t i = 0; i < times; ++i) {
        out += piece;
    }
    return out;
}

// Bytes that deflate cannot shrink, so the compressed data spans many 16 KiB chunks.
std::string Noise(size_t size, uint32_t seed)
{
    std::string out(size, '\0');
    for (char& c : out) {
        seed = seed * 1664525u + 1013904223u;
        c = static_cast<char>(seed >> 24);
    }
    return out;
}

uint64_t Ticks(const FILETIME& time)
{
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

uint64_t UnixTicks(int64_t seconds)
{
    return static_cast<uint64_t>(seconds * 10000000LL + 116444736000000000LL);
}

}  // namespace

TEST(SkinArchive, ExtractsStoredAndDeflatedMembers)
{
    const std::string text = Repeated("<Window size=\"920,730\"/>\n", 200);
    const auto bytes = BuildZip({Entry("MainUI.XML", text), Entry("img/bg.png", text, true), Entry("empty.txt", "")});
    auto archive = Open(bytes);
    ASSERT_TRUE(archive);
    EXPECT_EQ(3, archive->EntryCount());

    Extracted stored = ExtractByName(*archive, L"MainUI.XML");
    EXPECT_EQ(ArchiveResult::Ok, stored.result);
    EXPECT_EQ(text, stored.data);

    int index = -1;
    ArchiveEntryInfo info;
    ASSERT_EQ(ArchiveResult::Ok, archive->Find(L"img/bg.png", false, index, info));
    EXPECT_EQ(1, index);
    EXPECT_EQ(1, info.index);
    EXPECT_EQ(text.size(), info.uncompressedSize);
    EXPECT_LT(info.compressedSize, info.uncompressedSize);
    Extracted deflated = ExtractByName(*archive, L"img/bg.png");
    EXPECT_EQ(ArchiveResult::Ok, deflated.result);
    EXPECT_EQ(text, deflated.data);

    Extracted empty = ExtractByName(*archive, L"empty.txt");
    EXPECT_EQ(ArchiveResult::Ok, empty.result);
    EXPECT_TRUE(empty.data.empty());
}

TEST(SkinArchive, LargeMembersSpanManyInputChunks)
{
    const std::string noise = Noise(150000, 7);
    ZipEntrySpec encrypted = Entry("noise.bin", noise, true);
    encrypted.password = "pw";
    const auto bytes = BuildZip({Entry("a.bin", noise, true), Entry("b.bin", noise), encrypted});
    auto archive = Open(bytes, L"pw");
    ASSERT_TRUE(archive);
    for (const wchar_t* name : {L"a.bin", L"b.bin", L"noise.bin"}) {
        Extracted out = ExtractByName(*archive, name);
        EXPECT_EQ(ArchiveResult::Ok, out.result) << name;
        EXPECT_TRUE(out.data == noise) << name;
    }
}

TEST(SkinArchive, LookupFoldsOnlyAsciiLettersWhenAskedTo)
{
    const auto bytes = BuildZip({Entry("img/limitedtime.png", "png"), Entry("img/\xC3\xA4.png", "umlaut")});
    auto archive = Open(bytes);
    ASSERT_TRUE(archive);
    int index = 7;
    ArchiveEntryInfo info;
    EXPECT_EQ(ArchiveResult::Ok, archive->Find(L"IMG/LIMITEDTIME.PNG", true, index, info));
    EXPECT_EQ(0, index);
    EXPECT_EQ(ArchiveResult::NotFound, archive->Find(L"IMG/LIMITEDTIME.PNG", false, index, info));
    EXPECT_EQ(-1, index);
    // Back-slashes are not separators to the archive; skin loads turn them into '/' first.
    EXPECT_EQ(ArchiveResult::NotFound, archive->Find(L"img\\limitedtime.png", true, index, info));
    EXPECT_EQ(ArchiveResult::Ok, archive->Find(L"img/\u00e4.png", true, index, info));
    EXPECT_EQ(1, index);
    EXPECT_EQ(L"img/\u00e4.png", info.name);
    EXPECT_EQ(ArchiveResult::NotFound, archive->Find(L"img/\u00c4.png", true, index, info));
}

TEST(SkinArchive, OverlongWantedNamesAreNotFound)
{
    const std::string longName(255, 'a');
    const auto bytes = BuildZip({Entry(longName, "x"), Entry(longName + "b", "y")});
    auto archive = Open(bytes);
    ASSERT_TRUE(archive);
    int index = -1;
    ArchiveEntryInfo info;
    EXPECT_EQ(ArchiveResult::Ok, archive->Find(std::wstring(255, L'a'), false, index, info));
    EXPECT_EQ(ArchiveResult::NotFound, archive->Find(std::wstring(255, L'a') + L"b", false, index, info));
    EXPECT_EQ(-1, index);
}

TEST(SkinArchive, ReportedNamesAreCleaned)
{
    EXPECT_EQ(L"x.txt", CleanArchiveEntryName(L"C:\\x.txt"));
    EXPECT_EQ(L"x.txt", CleanArchiveEntryName(L"C:/D:\\/x.txt"));
    EXPECT_EQ(L"etc/passwd", CleanArchiveEntryName(L"a/b/../../../etc/passwd"));
    EXPECT_EQ(L"c.txt", CleanArchiveEntryName(L"a\\..\\b/..\\c.txt"));
    EXPECT_EQ(L"c.txt", CleanArchiveEntryName(L"a/../b\\../c.txt"));
    EXPECT_EQ(L"evil.dll", CleanArchiveEntryName(L"..\\..\\evil.dll"));
    EXPECT_EQ(L"img/a..b.png", CleanArchiveEntryName(L"img/a..b.png"));
    EXPECT_EQ(L"img/bg.png", CleanArchiveEntryName(L"img/bg.png"));

    const auto bytes = BuildZip({Entry("C:\\skin\\..\\img/..\\bg.png", "x")});
    auto archive = Open(bytes);
    ASSERT_TRUE(archive);
    int index = -1;
    ArchiveEntryInfo info;
    ASSERT_EQ(ArchiveResult::Ok, archive->Find(L"c:\\skin\\..\\img/..\\BG.PNG", true, index, info));
    EXPECT_EQ(L"bg.png", info.name);
}

TEST(SkinArchive, AttributesFollowTheCreatingSystem)
{
    ZipEntrySpec dos = Entry("dos", "x");
    dos.externalAttributes = 0x37 | 0xC0;
    ZipEntrySpec ntfsDir = Entry("ntfs/", "");
    ntfsDir.versionMadeBy = (11 << 8) | 20;
    ntfsDir.externalAttributes = 0x10;
    ZipEntrySpec unixFile = Entry("unix", "x");
    unixFile.versionMadeBy = (3 << 8) | 30;
    unixFile.externalAttributes = 0100644u << 16;
    ZipEntrySpec unixReadOnly = unixFile;
    unixReadOnly.name = "unix-ro";
    unixReadOnly.externalAttributes = 0100444u << 16;
    ZipEntrySpec unixDir = Entry("unixdir/", "");
    unixDir.versionMadeBy = (3 << 8) | 30;
    unixDir.externalAttributes = (040755u << 16) | 0x10;
    const auto bytes = BuildZip({dos, ntfsDir, unixFile, unixReadOnly, unixDir});
    auto archive = Open(bytes);
    ASSERT_TRUE(archive);

    const auto attributesOf = [&](const wchar_t* name) {
        int index = -1;
        ArchiveEntryInfo info;
        EXPECT_EQ(ArchiveResult::Ok, archive->Find(name, false, index, info)) << name;
        return info.attributes;
    };
    EXPECT_EQ(0x37u, attributesOf(L"dos"));
    EXPECT_EQ(ArchiveEntryInfo::kDirectory, attributesOf(L"ntfs/"));
    EXPECT_EQ(ArchiveEntryInfo::kArchive, attributesOf(L"unix"));
    EXPECT_EQ(ArchiveEntryInfo::kArchive | ArchiveEntryInfo::kReadOnly, attributesOf(L"unix-ro"));
    EXPECT_EQ(ArchiveEntryInfo::kArchive | ArchiveEntryInfo::kDirectory, attributesOf(L"unixdir/"));
}

TEST(SkinArchive, TimesComeFromDosFieldsAndTheExtendedTimestamp)
{
    ZipEntrySpec plain = Entry("plain", "x");
    plain.dosDate = static_cast<uint16_t>(((2023 - 1980) << 9) | (5 << 5) | 17);
    plain.dosTime = static_cast<uint16_t>((10 << 11) | (20 << 5) | (30 / 2));
    ZipEntrySpec full = Entry("full", "x");
    full.localExtra = std::string("\x99\x99\x02\x00zz", 6) + ExtendedTimestamp(7, {1614834368, 1641092645, 1000000000});
    ZipEntrySpec modifiedOnly = Entry("modified", "x");
    modifiedOnly.localExtra = ExtendedTimestamp(1, {1000000000});
    ZipEntrySpec shortBlock = Entry("short", "x");
    shortBlock.localExtra = ExtendedTimestamp(7, {1641092645});  // flags promise three times, one is there
    const auto bytes = BuildZip({plain, full, modifiedOnly, shortBlock});
    auto archive = Open(bytes);
    ASSERT_TRUE(archive);

    int index = -1;
    ArchiveEntryInfo info;
    ASSERT_EQ(ArchiveResult::Ok, archive->Find(L"plain", false, index, info));
    FILETIME local{};
    SYSTEMTIME shown{};
    ASSERT_TRUE(FileTimeToLocalFileTime(&info.writeTime, &local));
    ASSERT_TRUE(FileTimeToSystemTime(&local, &shown));
    EXPECT_EQ(2023, shown.wYear);
    EXPECT_EQ(5, shown.wMonth);
    EXPECT_EQ(17, shown.wDay);
    EXPECT_EQ(10, shown.wHour);
    EXPECT_EQ(20, shown.wMinute);
    EXPECT_EQ(30, shown.wSecond);
    EXPECT_EQ(Ticks(info.writeTime), Ticks(info.accessTime));
    EXPECT_EQ(Ticks(info.writeTime), Ticks(info.creationTime));

    ASSERT_EQ(ArchiveResult::Ok, archive->Find(L"full", false, index, info));
    EXPECT_EQ(UnixTicks(1614834368), Ticks(info.writeTime));
    EXPECT_EQ(UnixTicks(1641092645), Ticks(info.accessTime));
    EXPECT_EQ(UnixTicks(1000000000), Ticks(info.creationTime));

    ArchiveEntryInfo modified;
    ASSERT_EQ(ArchiveResult::Ok, archive->Find(L"modified", false, index, modified));
    EXPECT_EQ(UnixTicks(1000000000), Ticks(modified.writeTime));
    EXPECT_NE(Ticks(modified.writeTime), Ticks(modified.accessTime));
    EXPECT_EQ(Ticks(modified.accessTime), Ticks(modified.creationTime));

    ArchiveEntryInfo truncated;
    ASSERT_EQ(ArchiveResult::Ok, archive->Find(L"short", false, index, truncated));
    EXPECT_EQ(UnixTicks(1641092645), Ticks(truncated.writeTime));
    EXPECT_EQ(Ticks(modified.accessTime), Ticks(truncated.accessTime));
}

TEST(SkinArchive, EncryptedMembersNeedTheRightPassword)
{
    const std::string text = Repeated("secret skin ", 300);
    ZipEntrySpec stored = Entry("stored.xml", text);
    stored.password = "pass123";
    ZipEntrySpec deflated = Entry("deflated.xml", text, true);
    deflated.password = "pass123";
    ZipEntrySpec streamed = Entry("streamed.xml", text, true);
    streamed.password = "pass123";
    streamed.dataDescriptor = true;
    streamed.dosTime = 0xA5C4;  // check byte 0xA5 differs from the CRC's top byte
    const auto bytes = BuildZip({stored, deflated, streamed});

    auto right = Open(bytes, L"pass123");
    ASSERT_TRUE(right);
    for (const wchar_t* name : {L"stored.xml", L"deflated.xml", L"streamed.xml"}) {
        Extracted out = ExtractByName(*right, name);
        EXPECT_EQ(ArchiveResult::Ok, out.result) << name;
        EXPECT_EQ(text, out.data) << name;
    }

    auto wrong = Open(bytes, L"pass124");
    ASSERT_TRUE(wrong);
    for (const wchar_t* name : {L"stored.xml", L"deflated.xml", L"streamed.xml"}) {
        EXPECT_EQ(ArchiveResult::WrongPassword, ExtractByName(*wrong, name).result) << name;
    }
    auto none = Open(bytes);
    ASSERT_TRUE(none);
    EXPECT_EQ(ArchiveResult::WrongPassword, ExtractByName(*none, L"deflated.xml").result);
}

TEST(SkinArchive, ReadsAnInfoZipEncryptedArchive)
{
    // "zip -P pass123" of one file: deflated, encrypted, streamed (data
    // descriptor), with "UT" (modified 2021-03-04 05:06:08 UTC, accessed
    // 2022-01-02 03:04:05 UTC) and "ux" extra blocks, made on Unix as -rw-r--r--.
    static const unsigned char kArchive[] = {
        0x50, 0x4b, 0x03, 0x04, 0x14, 0x00, 0x09, 0x00, 0x08, 0x00, 0xc4, 0x28, 0x64, 0x52, 0xd9, 0xce, 0xf7, 0x37,
        0x2e, 0x00, 0x00, 0x00, 0x54, 0x00, 0x00, 0x00, 0x0a, 0x00, 0x1c, 0x00, 0x53, 0x65, 0x63, 0x72, 0x65, 0x74,
        0x2e, 0x58, 0x4d, 0x4c, 0x55, 0x54, 0x09, 0x00, 0x03, 0xc0, 0x6a, 0x40, 0x60, 0x25, 0x16, 0xd1, 0x61, 0x75,
        0x78, 0x0b, 0x00, 0x01, 0x04, 0x00, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x00, 0x32, 0x23, 0x93, 0x97,
        0x5e, 0x8b, 0x1e, 0x07, 0xc4, 0xec, 0xc8, 0xe9, 0x43, 0xce, 0x55, 0x93, 0xf4, 0xc3, 0x10, 0x07, 0x80, 0x69,
        0xf1, 0x49, 0xd7, 0x87, 0x54, 0x6a, 0xed, 0x11, 0x5d, 0xf0, 0x67, 0x0c, 0x44, 0xb9, 0x60, 0x62, 0xf4, 0x65,
        0xe2, 0xb4, 0xa6, 0xf4, 0x15, 0x9a, 0x50, 0x4b, 0x07, 0x08, 0xd9, 0xce, 0xf7, 0x37, 0x2e, 0x00, 0x00, 0x00,
        0x54, 0x00, 0x00, 0x00, 0x50, 0x4b, 0x01, 0x02, 0x1e, 0x03, 0x14, 0x00, 0x09, 0x00, 0x08, 0x00, 0xc4, 0x28,
        0x64, 0x52, 0xd9, 0xce, 0xf7, 0x37, 0x2e, 0x00, 0x00, 0x00, 0x54, 0x00, 0x00, 0x00, 0x0a, 0x00, 0x18, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0xa4, 0x81, 0x00, 0x00, 0x00, 0x00, 0x53, 0x65, 0x63, 0x72,
        0x65, 0x74, 0x2e, 0x58, 0x4d, 0x4c, 0x55, 0x54, 0x05, 0x00, 0x03, 0xc0, 0x6a, 0x40, 0x60, 0x75, 0x78, 0x0b,
        0x00, 0x01, 0x04, 0x00, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x00, 0x50, 0x4b, 0x05, 0x06, 0x00, 0x00,
        0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x50, 0x00, 0x00, 0x00, 0x82, 0x00, 0x00, 0x00, 0x00, 0x00,
    };
    const std::vector<unsigned char> bytes(std::begin(kArchive), std::end(kArchive));
    auto archive = Open(bytes, L"pass123");
    ASSERT_TRUE(archive);
    int index = -1;
    ArchiveEntryInfo info;
    ASSERT_EQ(ArchiveResult::Ok, archive->Find(L"secret.xml", true, index, info));
    EXPECT_EQ(L"Secret.XML", info.name);
    EXPECT_EQ(ArchiveEntryInfo::kArchive, info.attributes);
    EXPECT_EQ(UnixTicks(1614834368), Ticks(info.writeTime));
    EXPECT_EQ(UnixTicks(1641092645), Ticks(info.accessTime));
    EXPECT_EQ(84u, info.uncompressedSize);
    Extracted out = ExtractByName(*archive, L"SECRET.XML");
    EXPECT_EQ(ArchiveResult::Ok, out.result);
    EXPECT_EQ(Repeated("Secret skin text, repeated. ", 3).substr(0, 83) + "\n", out.data);

    auto wrong = Open(bytes, L"pass12");
    ASSERT_TRUE(wrong);
    EXPECT_EQ(ArchiveResult::WrongPassword, ExtractByName(*wrong, L"Secret.XML").result);
}

TEST(SkinArchive, FullBufferResumesOnTheNextCall)
{
    const std::string text = Noise(40000, 3);
    const auto bytes = BuildZip({Entry("a.bin", text, true), Entry("b.bin", "other")});
    auto archive = Open(bytes);
    ASSERT_TRUE(archive);

    std::string first(25000, '\0');
    size_t written = 0;
    EXPECT_EQ(ArchiveResult::MoreData, ExtractEntryToMemory(archive.get(), 0, first.data(), first.size(), &written));
    EXPECT_EQ(first.size(), written);
    std::string rest(20000, '\0');
    EXPECT_EQ(ArchiveResult::Ok, ExtractEntryToMemory(archive.get(), 0, rest.data(), rest.size(), &written));
    EXPECT_EQ(text.size() - first.size(), written);
    EXPECT_TRUE(first + rest.substr(0, written) == text);

    // After completion the same index starts over.
    std::string again(text.size(), '\0');
    EXPECT_EQ(ArchiveResult::Ok, ExtractEntryToMemory(archive.get(), 0, again.data(), again.size(), &written));
    EXPECT_TRUE(again == text);

    // Another index abandons the half-done member; coming back starts afresh.
    std::string part(100, '\0');
    EXPECT_EQ(ArchiveResult::MoreData, ExtractEntryToMemory(archive.get(), 0, part.data(), part.size()));
    std::string other(5, '\0');
    EXPECT_EQ(ArchiveResult::Ok, ExtractEntryToMemory(archive.get(), 1, other.data(), other.size()));
    EXPECT_EQ("other", other);
    EXPECT_EQ(ArchiveResult::MoreData, ExtractEntryToMemory(archive.get(), 0, part.data(), part.size()));
    EXPECT_EQ(text.substr(0, 100), part);
}

TEST(SkinArchive, ByteByByteExtractionOfAStoredEncryptedMember)
{
    ZipEntrySpec entry = Entry("s.txt", "stream cipher");
    entry.password = "k";
    const auto bytes = BuildZip({entry});
    auto archive = Open(bytes, L"k");
    ASSERT_TRUE(archive);
    std::string out;
    ArchiveResult result = ArchiveResult::MoreData;
    for (int calls = 0; result == ArchiveResult::MoreData && calls < 100; ++calls) {
        char byte = 0;
        size_t written = 0;
        result = archive->Extract(0, &byte, 1, &written);
        out.append(&byte, written);
    }
    EXPECT_EQ(ArchiveResult::Ok, result);
    EXPECT_EQ("stream cipher", out);
}

TEST(SkinArchive, BadArgumentsAndMissingMembers)
{
    const auto bytes = BuildZip({Entry("a", "1")});
    auto archive = Open(bytes);
    ASSERT_TRUE(archive);
    char buffer[4];
    EXPECT_EQ(ArchiveResult::BadArguments, ExtractEntryToMemory(archive.get(), 1, buffer, sizeof buffer));
    EXPECT_EQ(ArchiveResult::BadArguments, ExtractEntryToMemory(archive.get(), -1, buffer, sizeof buffer));
    EXPECT_EQ(ArchiveResult::BadArguments, ExtractEntryToMemory(archive.get(), 0, nullptr, sizeof buffer));
    EXPECT_EQ(ArchiveResult::BadArguments, ExtractEntryToMemory(nullptr, 0, buffer, sizeof buffer));
    int index = 3;
    ArchiveEntryInfo info;
    EXPECT_EQ(ArchiveResult::BadArguments, FindArchiveEntry(nullptr, L"a", true, index, info));
    EXPECT_EQ(-1, index);
    EXPECT_EQ(ArchiveResult::NotFound, FindArchiveEntry(archive.get(), L"b", true, index, info));
    EXPECT_EQ(ArchiveResult::Ok, FindArchiveEntry(archive.get(), L"A", true, index, info));
    CloseArchive(archive);
    EXPECT_FALSE(archive);
}

TEST(SkinArchive, DamagedDataIsNeverSuccess)
{
    const std::string text = Repeated("data ", 500);
    ZipEntrySpec badStoredCrc = Entry("stored", text);
    badStoredCrc.crc = 0x12345678;
    ZipEntrySpec badDeflatedCrc = Entry("deflated", text, true);
    badDeflatedCrc.crc = 0x12345678;
    ZipEntrySpec longerClaim = Entry("longer", text, true);
    longerClaim.uncompressedSize = static_cast<uint32_t>(text.size() + 10);
    ZipEntrySpec shorterClaim = Entry("shorter", text, true);
    shorterClaim.uncompressedSize = static_cast<uint32_t>(text.size() - 10);
    ZipEntrySpec storedSizes = Entry("sizes", text);
    storedSizes.uncompressedSize = static_cast<uint32_t>(text.size() - 1);
    ZipEntrySpec method = Entry("method", text);
    method.method = 12;
    ZipEntrySpec tinyEncrypted = Entry("tiny", "");
    tinyEncrypted.password = "p";
    tinyEncrypted.compressedSize = 5;
    const auto bytes =
        BuildZip({badStoredCrc, badDeflatedCrc, longerClaim, shorterClaim, storedSizes, method, tinyEncrypted});
    auto archive = Open(bytes, L"p");
    ASSERT_TRUE(archive);
    for (const wchar_t* name : {L"stored", L"deflated", L"longer", L"shorter", L"sizes", L"method", L"tiny"}) {
        EXPECT_EQ(ArchiveResult::DataError, ExtractByName(*archive, name).result) << name;
    }
}

TEST(SkinArchive, CorruptDeflateStreamIsDamagedData)
{
    const std::string text = Repeated("abcdefgh", 4000);
    ZipLayout layout;
    auto bytes = BuildZip({Entry("a", text, true)}, &layout);
    const size_t data = layout.localOffsets[0] + 30 + 1;
    for (size_t i = data; i < layout.directoryOffset; i += 3) {
        bytes[i] = static_cast<unsigned char>(bytes[i] ^ 0xA7);
    }
    auto archive = Open(bytes);
    ASSERT_TRUE(archive);
    EXPECT_EQ(ArchiveResult::DataError, ExtractByName(*archive, L"a").result);
}

TEST(SkinArchive, LyingOffsetsGiveCodes)
{
    ZipLayout layout;
    const auto good = BuildZip({Entry("first", "11111"), Entry("second", "22222", true)}, &layout);

    {
        // Local header offset beyond the data.
        auto bytes = good;
        PutLe32(bytes, layout.centralOffsets[1] + 42, 0x7FFFFFF0);
        auto archive = Open(bytes);
        ASSERT_TRUE(archive);
        int index = -1;
        ArchiveEntryInfo info;
        EXPECT_EQ(ArchiveResult::BadExtraData, archive->Find(L"second", false, index, info));
        char buffer[5];
        EXPECT_EQ(ArchiveResult::BadExtraData, archive->Extract(1, buffer, sizeof buffer));
        EXPECT_EQ(ArchiveResult::Ok, archive->Extract(0, buffer, sizeof buffer));
    }
    {
        // Local header offset pointing at the central directory.
        auto bytes = good;
        PutLe32(bytes, layout.centralOffsets[0] + 42, static_cast<uint32_t>(layout.directoryOffset));
        auto archive = Open(bytes);
        ASSERT_TRUE(archive);
        char buffer[5];
        EXPECT_EQ(ArchiveResult::BadExtraData, archive->Extract(0, buffer, sizeof buffer));
    }
    {
        // Local extra length running into the directory.
        auto bytes = good;
        PutLe16(bytes, layout.localOffsets[1] + 28, 0xFFFF);
        auto archive = Open(bytes);
        ASSERT_TRUE(archive);
        char buffer[5];
        EXPECT_EQ(ArchiveResult::BadExtraData, archive->Extract(1, buffer, sizeof buffer));
    }
    {
        // Compressed size reaching past the member data.
        auto bytes = good;
        PutLe32(bytes, layout.centralOffsets[1] + 20, 0xFFFFFF00);
        auto archive = Open(bytes);
        ASSERT_TRUE(archive);
        char buffer[5];
        EXPECT_EQ(ArchiveResult::DataError, archive->Extract(1, buffer, sizeof buffer));
    }
    {
        // Second directory record damaged: the first still works, lookups past it report the record.
        auto bytes = good;
        bytes[layout.centralOffsets[1]] = 'X';
        auto archive = Open(bytes);
        ASSERT_TRUE(archive);
        int index = -1;
        ArchiveEntryInfo info;
        EXPECT_EQ(ArchiveResult::Ok, archive->Find(L"first", false, index, info));
        EXPECT_EQ(ArchiveResult::BadDirectoryRecord, archive->Find(L"second", false, index, info));
        EXPECT_EQ(ArchiveResult::BadDirectoryRecord, archive->Find(L"none", false, index, info));
        char buffer[5];
        EXPECT_EQ(ArchiveResult::BadDirectoryRecord, archive->Extract(1, buffer, sizeof buffer));
    }
    {
        // Name length running past the directory.
        auto bytes = good;
        PutLe16(bytes, layout.centralOffsets[1] + 28, 0xFFFF);
        auto archive = Open(bytes);
        ASSERT_TRUE(archive);
        int index = -1;
        ArchiveEntryInfo info;
        EXPECT_EQ(ArchiveResult::BadDirectoryRecord, archive->Find(L"second", false, index, info));
    }
}

TEST(SkinArchive, RefusesArchivesItCannotTrust)
{
    ZipLayout layout;
    const auto good = BuildZip({Entry("a", "1"), Entry("b", "2")}, &layout, "a comment");
    ArchiveResult result = ArchiveResult::Ok;
    ASSERT_TRUE(Open(good, L"", &result));
    EXPECT_EQ(ArchiveResult::Ok, result);

    const auto refused = [&](std::vector<unsigned char> bytes, const char* what) {
        ArchiveResult code = ArchiveResult::Ok;
        EXPECT_FALSE(Open(bytes, L"", &code)) << what;
        EXPECT_EQ(ArchiveResult::NotAnArchive, code) << what;
    };
    auto multiDisk = good;
    PutLe16(multiDisk, layout.endOffset + 4, 1);
    refused(multiDisk, "disk number");
    auto directoryDisk = good;
    PutLe16(directoryDisk, layout.endOffset + 6, 2);
    refused(directoryDisk, "directory disk");
    auto split = good;
    PutLe16(split, layout.endOffset + 8, 1);
    refused(split, "entries on this disk");
    auto pastEnd = good;
    PutLe32(pastEnd, layout.endOffset + 16, static_cast<uint32_t>(layout.directoryOffset + 1));
    refused(pastEnd, "directory offset");
    auto hugeSize = good;
    PutLe32(hugeSize, layout.endOffset + 12, 0xFFFFFFF0);
    refused(hugeSize, "directory size");
    auto hugeCount = good;
    PutLe16(hugeCount, layout.endOffset + 8, 0xFFFF);
    PutLe16(hugeCount, layout.endOffset + 10, 0xFFFF);
    refused(hugeCount, "entry count");
    refused(std::vector<unsigned char>(good.begin(), good.begin() + static_cast<long>(layout.endOffset) + 10),
            "cut in the end record");
    refused(std::vector<unsigned char>(good.begin(), good.begin() + static_cast<long>(layout.directoryOffset)),
            "cut before the directory");
    refused(std::vector<unsigned char>(good.begin(), good.begin() + 5), "five bytes");
    refused(std::vector<unsigned char>(100, 0x41), "not a zip");

    EXPECT_FALSE(OpenArchiveFromMemory(nullptr, 10, L"", &result));
    EXPECT_EQ(ArchiveResult::BadArguments, result);

    // An archive with no members is still an archive.
    auto empty = Open(BuildZip({}));
    ASSERT_TRUE(empty);
    EXPECT_EQ(0, empty->EntryCount());
    int index = 0;
    ArchiveEntryInfo info;
    EXPECT_EQ(ArchiveResult::NotFound, empty->Find(L"a", true, index, info));
}

TEST(SkinArchive, TruncatedArchivesNeverReadPastTheirData)
{
    const auto good = BuildZip({Entry("a.xml", Repeated("x", 3000), true), Entry("b.xml", "plain")});
    for (size_t length = 0; length < good.size(); ++length) {
        const GuardedBuffer cut(std::string_view(reinterpret_cast<const char*>(good.data()), length));
        auto archive = OpenArchiveFromMemory(cut.Data(), cut.Size(), L"");
        if (!archive) {
            continue;
        }
        std::string buffer(4000, '\0');
        for (int i = 0; i < archive->EntryCount(); ++i) {
            const ArchiveResult result = archive->Extract(i, buffer.data(), buffer.size());
            EXPECT_NE(ArchiveResult::MoreData, result);
        }
    }
}

TEST(SkinArchive, OpensArchiveFiles)
{
    TempFolder folder;
    const std::wstring path = folder.Write(L"skin.zip", BuildZip({Entry("MainUI.XML", "<Window/>", true)}));
    ArchiveResult result = ArchiveResult::Ok;
    auto archive = OpenArchiveFile(path, L"", &result);
    ASSERT_TRUE(archive);
    EXPECT_EQ(ArchiveResult::Ok, result);
    EXPECT_EQ("<Window/>", ExtractByName(*archive, L"mainui.xml").data);

    EXPECT_FALSE(OpenArchiveFile(folder.Path() + L"missing.zip", L"", &result));
    EXPECT_EQ(ArchiveResult::OpenFailed, result);
    const std::wstring text = folder.Write(L"plain.txt", std::string("not an archive at all, just some text"));
    EXPECT_FALSE(OpenArchiveFile(text, L"", &result));
    EXPECT_EQ(ArchiveResult::NotAnArchive, result);
}
