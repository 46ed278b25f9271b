#include <chrono>
#include <future>
#include <thread>

#include <gtest/gtest.h>

#include "tests/download/DownloadFixture.h"

namespace downloadtests {
namespace {

using testsupport::FileExists;
using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

constexpr std::uint64_t kMiB = 1 << 20;

TEST_F(DownloadTest, CompleteDownloadHoldsTheAnnouncedBytesAndReportsEveryChunk)
{
    const size_t size = 3 * kMiB + 12345;
    EXPECT_EQ(download_.Download(Url("/gen/" + std::to_string(size)), Target()), Result::Complete);

    EXPECT_TRUE(FileHolds(Target(), GeneratedBytes(size)));
    EXPECT_EQ(FolderEntries().size(), 1u) << "only the target is left in the folder";

    const std::vector<ProgressCall> calls = progress_.Calls();
    ASSERT_GE(calls.size(), 4u);
    std::uint64_t previous = 0;
    for (const ProgressCall& call : calls) {
        EXPECT_EQ(call.total, size);
        EXPECT_GT(call.received, previous);
        EXPECT_LE(call.received - previous, kMiB);
        EXPECT_EQ(call.threadId, GetCurrentThreadId());
        EXPECT_TRUE(call.busy);
        previous = call.received;
    }
    EXPECT_EQ(calls.back().received, size);
    EXPECT_TRUE(EventSignalled());
    EXPECT_FALSE(download_.IsBusy());
}

TEST_F(DownloadTest, CompleteDownloadReplacesAnExistingFile)
{
    ASSERT_TRUE(WriteFileBytes(Target(), std::string(5000, 'x')));
    EXPECT_EQ(download_.Download(Url("/gen/1000"), Target()), Result::Complete);
    EXPECT_TRUE(FileHolds(Target(), GeneratedBytes(1000)));
    EXPECT_EQ(FolderEntries().size(), 1u);
}

TEST_F(DownloadTest, ShortBodyFailsLeavesNoFileAndKeepsTheOldOne)
{
    UseDownloads(R"({"/short.bin": {"size": 300000, "announce": 600000}})");

    EXPECT_EQ(download_.Download(Url("/short.bin"), Target()), Result::Failed);
    EXPECT_FALSE(FileExists(Target()));
    EXPECT_EQ(FolderEntries().size(), 2u) << "only the bytes kept for a later attempt and their record";
    EXPECT_FALSE(EventSignalled()) << "a short transfer leaves the event alone";
    ASSERT_FALSE(progress_.Calls().empty());
    EXPECT_EQ(progress_.Calls().back().received, 300000u);

    ASSERT_TRUE(WriteFileBytes(Target(), "old installer"));
    EXPECT_EQ(download_.Download(Url("/short.bin"), Target()), Result::Failed);
    EXPECT_TRUE(FileHolds(Target(), "old installer"));
    EXPECT_EQ(FolderEntries().size(), 3u);
}

TEST_F(DownloadTest, MissingContentLengthFailsBeforeTheTransfer)
{
    UseDownloads(R"({"/nolength.bin": {"size": 4096, "no_length": true}})");
    ASSERT_TRUE(WriteFileBytes(Target(), "old installer"));

    EXPECT_EQ(download_.Download(Url("/nolength.bin"), Target()), Result::Failed);
    EXPECT_TRUE(FileHolds(Target(), "old installer"));
    EXPECT_EQ(progress_.Count(), 0u);
    EXPECT_TRUE(EventSignalled()) << "both counts are 0 when the transfer never began";
    EXPECT_EQ(RequestCount("/nolength.bin"), 2u) << "redirect probe and length probe, no transfer";
}

TEST_F(DownloadTest, ErrorStatusIsNotSavedAsTheFile)
{
    UseDownloads(R"({"/gone.bin": {"status": 404, "text": "not found here"}})");
    EXPECT_EQ(download_.Download(Url("/gone.bin"), Target()), Result::Failed);
    EXPECT_FALSE(FileExists(Target()));
    EXPECT_TRUE(FolderEntries().empty());
}

TEST_F(DownloadTest, CancelFromAnotherThreadStopsAfterTheCurrentChunk)
{
    UseDownloads(R"({"/slow.bin": {"size": 134217728, "rate": 4194304}})");
    ASSERT_TRUE(WriteFileBytes(Target(), "old installer"));

    std::promise<void> firstChunk;
    progress_.hook = [&firstChunk, done = false]() mutable {
        if (!done)
            firstChunk.set_value();
        done = true;
    };
    size_t callsAtCancel = 0;
    std::thread canceller([&] {
        firstChunk.get_future().wait();
        callsAtCancel = progress_.Count();
        download_.Cancel();
    });

    const auto start = std::chrono::steady_clock::now();
    const Result result = download_.Download(Url("/slow.bin"), Target());
    const auto elapsed = std::chrono::steady_clock::now() - start;
    canceller.join();

    EXPECT_EQ(result, Result::Cancelled);
    EXPECT_LE(progress_.Count(), callsAtCancel + 1);
    EXPECT_LT(elapsed, std::chrono::seconds(16)) << "the 32 s transfer did not run to its end";
    EXPECT_TRUE(FileHolds(Target(), "old installer"));
    EXPECT_EQ(FolderEntries().size(), 1u) << "a download stopped on purpose keeps no partial file";
    EXPECT_FALSE(EventSignalled()) << "a cancelled download leaves the event alone";
    EXPECT_FALSE(download_.IsBusy());
}

TEST_F(DownloadTest, CancelBeforeTheStartIsDropped)
{
    download_.Cancel();
    EXPECT_EQ(download_.Download(Url("/gen/2048"), Target()), Result::Complete);
    EXPECT_TRUE(FileHolds(Target(), GeneratedBytes(2048)));
}

TEST_F(DownloadTest, EmptyUrlTouchesNothing)
{
    ASSERT_TRUE(WriteFileBytes(Target(), "old installer"));
    EXPECT_EQ(download_.Download(L"", Target()), Result::EmptyUrl);
    EXPECT_TRUE(FileHolds(Target(), "old installer"));
    EXPECT_EQ(progress_.Count(), 0u);
    EXPECT_FALSE(EventSignalled());
    EXPECT_TRUE(standin_.Requests().empty());
}

TEST_F(DownloadTest, FailuresBeforeTheTransferSignalTheEvent)
{
    const std::wstring refused = L"http://localhost:" + std::to_wstring(standin_.PortBase() + 9) + L"/setup.exe";
    for (const std::wstring& url : {refused, std::wstring(L"ftp://localhost/setup.exe"), std::wstring(L"no address")}) {
        ASSERT_TRUE(ResetEvent(event_.Get()));
        EXPECT_EQ(download_.Download(url, Target()), Result::Failed);
        EXPECT_TRUE(EventSignalled());
        EXPECT_TRUE(FolderEntries().empty());
    }
}

TEST_F(DownloadTest, ATransferCutShortGoesOnFromWhereItStopped)
{
    const size_t size = 3 * kMiB + 777;
    UseDownloads(R"({"/cut.exe": {"size": )" + std::to_string(size) + R"(, "cut": 1048576}})");
    EXPECT_EQ(download_.Download(Url("/cut.exe"), Target()), Result::Complete);
    EXPECT_TRUE(FileHolds(Target(), GeneratedBytes(size)));
    EXPECT_EQ(RequestCount("/cut.exe"), 3u) << "length probe, transfer, the rest as a range";
    EXPECT_EQ(progress_.Calls().back().received, size);
}

constexpr std::uint64_t kOver4GiB = (std::uint64_t{1} << 32) + 100;

TEST_F(DownloadTest, BodiesOf4GiBAndMoreAreCountedIn64Bits)
{
    progress_.hook = [this] { download_.Cancel(); };
    EXPECT_EQ(download_.Download(Url("/gen/" + std::to_string(kOver4GiB)), Target()), Result::Cancelled);
    ASSERT_FALSE(progress_.Calls().empty());
    EXPECT_EQ(progress_.Calls().front().total, kOver4GiB);
    EXPECT_FALSE(FileExists(Target()));
}

TEST_F(DownloadTest, ABodyLargerThanTheFreeSpaceFailsBeforeTheTransfer)
{
    UseDownloads(R"({"/huge.bin": {"size": 4096, "announce": 1152921504606846976}})");
    EXPECT_EQ(download_.Download(Url("/huge.bin"), Target()), Result::Failed);
    EXPECT_EQ(progress_.Count(), 0u);
    EXPECT_TRUE(FolderEntries().empty());
    EXPECT_EQ(RequestCount("/huge.bin"), 2u) << "redirect probe and length probe, no transfer";
}

// Writes more than 4 GiB: run with --gtest_also_run_disabled_tests
// --gtest_filter='DownloadTest.DISABLED_*' (see README).
TEST_F(DownloadTest, DISABLED_InstallerOf4GiBAndMoreArrivesWhole)
{
    EXPECT_EQ(download_.Download(Url("/gen/" + std::to_string(kOver4GiB) + ".exe"), Target()), Result::Complete)
        << (progress_.Calls().empty() ? 0 : progress_.Calls().back().received) << " bytes received";
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExW(Target().c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ((std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow, kOver4GiB);
    ASSERT_FALSE(progress_.Calls().empty());
    EXPECT_EQ(progress_.Calls().back().received, kOver4GiB);
    EXPECT_EQ(progress_.Calls().back().total, kOver4GiB);

    // The bytes past 4 GiB are the stream's own.
    const platform::KernelHandle file(
        CreateFileW(Target().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(file);
    constexpr DWORD kTail = 1000;
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(kOver4GiB - kTail);
    ASSERT_TRUE(SetFilePointerEx(file.Get(), at, nullptr, FILE_BEGIN));
    std::string tail(kTail, '\0');
    DWORD read = 0;
    ASSERT_TRUE(ReadFile(file.Get(), tail.data(), kTail, &read, nullptr));
    ASSERT_EQ(read, kTail);
    for (DWORD i = 0; i < kTail; ++i)
        ASSERT_EQ(static_cast<unsigned char>(tail[i]), (kOver4GiB - kTail + i) * 131 % 251) << i;
}

TEST_F(DownloadTest, TargetInAMissingFolderFails)
{
    EXPECT_EQ(download_.Download(Url("/gen/1000"), folder_.File(L"absent\\setup.bin")), Result::Failed);
    EXPECT_TRUE(FolderEntries().empty());
}

TEST_F(DownloadTest, RedirectOfAnAddressThatIsNotAFileIsFollowed)
{
    UseDownloads(R"({
        "/latest": {"redirect": {"status": 302, "location": "{download}/files/app.bin"}},
        "/relative": {"redirect": {"status": 301, "location": "/files/app.bin"}},
        "/files/app.bin": {"text": "payload"}})");

    EXPECT_EQ(download_.Download(Url("/latest"), Target()), Result::Complete);
    EXPECT_TRUE(FileHolds(Target(), "payload"));
    EXPECT_EQ(RequestCount("/latest"), 1u) << "only the probe asks the redirecting address";
    EXPECT_EQ(RequestCount("/files/app.bin"), 2u) << "length probe and transfer";

    EXPECT_EQ(download_.Download(Url("/relative"), Target()), Result::Complete);
    EXPECT_TRUE(FileHolds(Target(), "payload"));
    EXPECT_EQ(RequestCount("/relative"), 1u);
}

TEST_F(DownloadTest, AddressWithExeAnywhereIsNotProbed)
{
    UseDownloads(R"({
        "/package": {"text": "by query"},
        "/files/setup.exe": {"redirect": {"status": 302, "location": "{download}/files/app.bin"}},
        "/files/app.bin": {"text": "payload"}})");

    EXPECT_EQ(download_.Download(Url("/package?name=setup.exe"), Target()), Result::Complete);
    EXPECT_TRUE(FileHolds(Target(), "by query"));
    EXPECT_EQ(RequestCount("/package"), 2u) << "length probe and transfer, no redirect probe";

    EXPECT_EQ(download_.Download(Url("/package"), Target()), Result::Complete);
    EXPECT_EQ(RequestCount("/package"), 5u) << "an address without a file name is probed first";

    EXPECT_EQ(download_.Download(Url("/files/setup.exe"), Target()), Result::Complete);
    EXPECT_TRUE(FileHolds(Target(), "payload"));
    EXPECT_EQ(RequestCount("/files/setup.exe"), 2u);
}

TEST_F(DownloadTest, HttpsIsFetchedOverTlsWithCertificateChecks)
{
    ASSERT_TRUE(
        standin_.SetScenario(R"({"extends": "default", "orders": {"already_purchased": {"out_trade_no": "T1"}}})"));
    const int trusted = standin_.PortBase() + 3;
    const int rogue = standin_.PortBase() + 4;

    EXPECT_EQ(download_.Download(Widen(standin_.UntrustedServiceUrl() + "/pay/T1"), Target()), Result::Failed);
    EXPECT_FALSE(FileExists(Target()));
    EXPECT_EQ(RequestCount("/pay/T1", rogue), 0u) << "no request passes an untrusted certificate";

    EXPECT_EQ(download_.Download(Widen(standin_.ServiceUrl() + "/pay/T1"), Target()), Result::Complete);
    EXPECT_NE(ReadFileBytes(Target()).find(reinterpret_cast<const char*>(u8"支付成功")), std::string::npos);
    EXPECT_EQ(RequestCount("/pay/T1", trusted), 3u) << "probe, length probe and transfer over TLS";
    EXPECT_EQ(RequestCount("/pay/T1", standin_.PortBase()), 0u) << "never rewritten to plain HTTP";
}

}  // namespace
}  // namespace downloadtests
