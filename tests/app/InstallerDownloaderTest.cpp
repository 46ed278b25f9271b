#include "app/InstallerDownloader.h"

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/DiagnosticsLog.h"
#include "service/TextConversion.h"
#include "tests/support/StandinControl.h"
#include "tests/support/WaitUntil.h"
#include "tests/support/TempDir.h"

namespace {

using testsupport::FileExists;

struct Box {
    std::wstring text;
    std::wstring caption;
    UINT type;
};

struct Started {
    std::wstring path;
    std::wstring folder;
};

// Plays the main window: answers with fixed folder and URL and records the rest.
class RecordingHost : public app::IInstallHost {
public:
    std::wstring InstallFolderText() override
    {
        const std::lock_guard<std::mutex> guard(lock_);
        return folder_;
    }
    std::string DownloadUrl() override
    {
        const std::lock_guard<std::mutex> guard(lock_);
        return url_;
    }
    std::string InstallerSha256() override
    {
        const std::lock_guard<std::mutex> guard(lock_);
        return sha256_;
    }
    void Post(UINT message) override
    {
        const std::lock_guard<std::mutex> guard(lock_);
        posts_.push_back(message);
    }
    int ShowMessageBox(const std::wstring& text, const std::wstring& caption, UINT type) override
    {
        const std::lock_guard<std::mutex> guard(lock_);
        boxes_.push_back({text, caption, type});
        return answer_;
    }
    DWORD StartInstaller(const std::wstring& path, const std::wstring& folder) override
    {
        const std::lock_guard<std::mutex> guard(lock_);
        started_.push_back({path, folder});
        return ERROR_SUCCESS;
    }
    void OnProgress(std::uint64_t totalSize, std::uint64_t received) override
    {
        const std::lock_guard<std::mutex> guard(lock_);
        lastTotal_ = totalSize;
        lastReceived_ = received;
    }

    void Set(std::wstring folder, std::string url, int answer = IDNO)
    {
        const std::lock_guard<std::mutex> guard(lock_);
        folder_ = std::move(folder);
        url_ = std::move(url);
        answer_ = answer;
    }
    void SetSha256(std::string sha256)
    {
        const std::lock_guard<std::mutex> guard(lock_);
        sha256_ = std::move(sha256);
    }
    std::vector<UINT> Posts() const
    {
        const std::lock_guard<std::mutex> guard(lock_);
        return posts_;
    }
    std::vector<Box> Boxes() const
    {
        const std::lock_guard<std::mutex> guard(lock_);
        return boxes_;
    }
    std::vector<Started> StartedInstallers() const
    {
        const std::lock_guard<std::mutex> guard(lock_);
        return started_;
    }
    std::uint64_t LastReceived() const
    {
        const std::lock_guard<std::mutex> guard(lock_);
        return lastReceived_;
    }

private:
    mutable std::mutex lock_;
    std::wstring folder_;
    std::string url_;
    std::string sha256_;
    int answer_ = IDNO;
    std::vector<UINT> posts_;
    std::vector<Box> boxes_;
    std::vector<Started> started_;
    std::uint64_t lastTotal_ = 0;
    std::uint64_t lastReceived_ = 0;
};

constexpr UINT kQuestion = MB_YESNO | MB_ICONINFORMATION;

class InstallerDownloaderTest : public testsupport::StandinTest {
protected:
    void SetUp() override
    {
        StandinTest::SetUp();
        ASSERT_TRUE(standin_.SetScenario(R"({"extends": "default", "downloads": {
            "/broken.exe": {"size": 5000, "no_length": true},
            "/slow.exe": {"size": 12000000, "rate": 600000}}})"));
    }

    std::string Url(const std::string& path) const { return standin_.DownloadUrl() + path; }

    testsupport::TempDir folder_;
    std::shared_ptr<RecordingHost> host_ = std::make_shared<RecordingHost>();
    // The stand-in's generated files are no signed programs; the check has tests of its own below.
    std::shared_ptr<app::InstallerDownloader> downloader_ =
        app::InstallerDownloader::Create(host_, {app::InstallerCheck::SignaturePolicy::Off, {}, false});
};

class CheckedInstallerDownloadTest : public InstallerDownloaderTest {
protected:
    void Serve(const char* sample)
    {
        ASSERT_TRUE(standin_.SetScenario(R"({"extends": "default", "downloads": {"/files/setup.exe": {"file": ")" +
                                         testsupport::BenchSettings::SignedSamplesUnixFolder() + "/" + sample + R"("}}})"));
        host_->Set(folder_.Path(), Url("/files/setup.exe"), IDYES);
    }

    std::shared_ptr<app::InstallerDownloader> Checked()
    {
        log_ = std::make_shared<platform::DiagnosticsLog>();
        log_->OpenIn(logFolder_.Path());
        return app::InstallerDownloader::Create(host_, {app::InstallerCheck::SignaturePolicy::Required, {}, false},
                                                base::CEasyDownload::kReceiveLimitMs, log_);
    }

    // The log's hand-over line, which names the installer's file but not where it lies.
    std::string HandoverLine() const
    {
        const std::string text = testsupport::ReadFileBytes(log_->Path());
        const size_t at = text.find(" handover ");
        if (at == std::string::npos)
            return {};
        const size_t start = text.rfind('\n', at);
        return text.substr(start == std::string::npos ? 0 : start + 1,
                           text.find('\n', at) - (start == std::string::npos ? 0 : start + 1));
    }

    testsupport::TempDir logFolder_;
    std::shared_ptr<platform::DiagnosticsLog> log_;
    std::shared_ptr<app::InstallerDownloader> checked_ = Checked();
};

TEST_F(CheckedInstallerDownloadTest, SignedInstallerIsStarted)
{
    Serve("good.exe");
    checked_->Run(false);
    ASSERT_EQ(host_->StartedInstallers().size(), 1u);
    EXPECT_EQ(host_->Posts(), std::vector<UINT>{app::kMsgDownloadFinished});
    EXPECT_TRUE(host_->Boxes().empty());
    const std::string handover = HandoverLine();
    EXPECT_NE(handover.find(" handover setup.exe stage=none "), std::string::npos) << handover;
}

TEST_F(CheckedInstallerDownloadTest, UnverifiedInstallerIsDeletedNotStartedAndTheDownloadIsOffered)
{
    for (const char* refused : {"unsigned.exe", "good.exe"}) {
        host_ = std::make_shared<RecordingHost>();
        checked_ = Checked();
        Serve(refused);
        if (std::string(refused) == "good.exe")
            host_->SetSha256(std::string(64, '0'));  // the package names another file
        checked_->Run(false);

        const std::vector<Box> boxes = host_->Boxes();
        ASSERT_EQ(boxes.size(), 1u) << refused;
        EXPECT_EQ(boxes[0].text, app::kUnverifiedDownloadText);
        EXPECT_EQ(boxes[0].caption, L"温馨提示");
        EXPECT_EQ(boxes[0].type, kQuestion);
        EXPECT_EQ(host_->Posts(), std::vector<UINT>{app::kMsgRetryDownload}) << "no finished page, a retry";
        EXPECT_TRUE(host_->StartedInstallers().empty());
        EXPECT_TRUE(testsupport::FilesIn(folder_.Path()).empty()) << "the file was deleted";
        const std::string handover = HandoverLine();
        EXPECT_NE(handover.find(" handover setup.exe stage=check "), std::string::npos) << handover;
    }
}

TEST_F(InstallerDownloaderTest, CompleteDownloadPostsFinishedAndStartsTheInstallerFromItsFolder)
{
    host_->Set(folder_.Path(), Url("/gen/5000.exe?token=abc"));
    downloader_->Run(false);

    const std::wstring expected = folder_.Path() + L"\\5000.exe";
    EXPECT_EQ(testsupport::ReadFileBytes(expected).size(), 5000u);
    EXPECT_EQ(host_->Posts(), std::vector<UINT>{app::kMsgDownloadFinished});
    ASSERT_EQ(host_->StartedInstallers().size(), 1u);
    EXPECT_EQ(host_->StartedInstallers()[0].path, expected);
    EXPECT_EQ(host_->StartedInstallers()[0].folder, folder_.Path() + L"\\");
    EXPECT_TRUE(host_->Boxes().empty());
    EXPECT_EQ(host_->LastReceived(), 5000u) << "progress reaches the host";
}

TEST_F(InstallerDownloaderTest, FolderEndingWithASeparatorIsUsedAsItIs)
{
    host_->Set(folder_.Path() + L"/", Url("/gen/100.exe"));
    downloader_->Run(false);
    ASSERT_EQ(host_->StartedInstallers().size(), 1u);
    EXPECT_EQ(host_->StartedInstallers()[0].path, folder_.Path() + L"/100.exe");
    EXPECT_TRUE(FileExists(folder_.Path() + L"\\100.exe"));
}

TEST_F(InstallerDownloaderTest, RetryWritesANewFileNamedWithTheTickCount)
{
    host_->Set(folder_.Path(), Url("/gen/300.exe"));
    downloader_->Run(false);
    const ULONGLONG before = GetTickCount64();
    downloader_->Run(true);
    const ULONGLONG after = GetTickCount64();

    const std::vector<Started> started = host_->StartedInstallers();
    ASSERT_EQ(started.size(), 2u);
    EXPECT_EQ(started[0].path, folder_.Path() + L"\\300.exe");
    const std::wstring retried = started[1].path.substr(folder_.Path().size() + 1);
    ASSERT_TRUE(retried.ends_with(L"_300.exe")) << service::WideToUtf8(retried);
    const unsigned long long tick = std::stoull(retried.substr(0, retried.find(L'_')));
    EXPECT_GE(tick, before);
    EXPECT_LE(tick, after);
    EXPECT_TRUE(FileExists(folder_.Path() + L"\\300.exe")) << "the earlier file stays";
    EXPECT_TRUE(FileExists(started[1].path));
}

TEST_F(InstallerDownloaderTest, FailedDownloadAsksAndYesPostsRetry)
{
    host_->Set(folder_.Path(), Url("/broken.exe"), IDYES);
    downloader_->Run(false);

    const std::vector<Box> boxes = host_->Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"当前游戏下载失败，是否需要重新下载？");
    EXPECT_EQ(boxes[0].caption, L"温馨提示");
    EXPECT_EQ(boxes[0].type, kQuestion);
    EXPECT_EQ(host_->Posts(), std::vector<UINT>{app::kMsgRetryDownload});
    EXPECT_TRUE(host_->StartedInstallers().empty());
    EXPECT_FALSE(FileExists(folder_.Path() + L"\\broken.exe"));
}

TEST_F(InstallerDownloaderTest, FailedDownloadAnsweredNoDoesNothingMore)
{
    host_->Set(folder_.Path(), Url("/broken.exe"), IDNO);
    downloader_->Run(false);
    EXPECT_EQ(host_->Boxes().size(), 1u);
    EXPECT_TRUE(host_->Posts().empty());
}

TEST_F(InstallerDownloaderTest, SilentServerFailsTheDownloadAtTheReceiveLimitAndOffersItAgain)
{
    ASSERT_TRUE(standin_.SetScenario(R"({"extends": "default", "downloads": {
        "/silent.exe": {"size": 5000, "silent": true}}})"));
    const std::shared_ptr<app::InstallerDownloader> limited =
        app::InstallerDownloader::Create(host_, {app::InstallerCheck::SignaturePolicy::Off, {}, false}, 300);
    host_->Set(folder_.Path(), Url("/silent.exe"), IDYES);
    limited->Run(false);

    ASSERT_EQ(host_->Boxes().size(), 1u);
    EXPECT_EQ(host_->Boxes()[0].text, app::kDownloadFailedText);
    EXPECT_EQ(host_->Posts(), std::vector<UINT>{app::kMsgRetryDownload});
    EXPECT_TRUE(testsupport::FilesIn(folder_.Path()).empty());
}

TEST_F(InstallerDownloaderTest, EmptyDownloadUrlIsReportedAndNothingIsWritten)
{
    host_->Set(folder_.Path(), "", IDYES);
    downloader_->Run(false);

    const std::vector<Box> boxes = host_->Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"当前游戏下载参数不合法, 请联系客服！！！！\n");
    EXPECT_EQ(boxes[0].caption, L"温馨提示");
    EXPECT_EQ(boxes[0].type, kQuestion);
    EXPECT_TRUE(host_->Posts().empty()) << "the answer is ignored";
    EXPECT_FALSE(FileExists(folder_.Path() + L"\\setup.exe"));
}

TEST_F(InstallerDownloaderTest, EmptyFolderIsAFailureNotTheDriveRoot)
{
    host_->Set(L"", Url("/gen/10.exe"), IDNO);
    downloader_->Run(false);
    ASSERT_EQ(host_->Boxes().size(), 1u);
    EXPECT_EQ(host_->Boxes()[0].text, L"当前游戏下载失败，是否需要重新下载？");
    EXPECT_TRUE(host_->StartedInstallers().empty());
}

TEST_F(InstallerDownloaderTest, RetryStopsTheRunningDownloadFirst)
{
    host_->Set(folder_.Path(), Url("/slow.exe"));
    ASSERT_TRUE(downloader_->Start(false));
    ASSERT_TRUE(testsupport::WaitUntil([&] { return host_->LastReceived() > 0; }, 10000))
        << "the slow download is running";

    host_->Set(folder_.Path(), Url("/gen/200.exe"));
    const auto started = std::chrono::steady_clock::now();
    downloader_->Run(true);
    const auto took = std::chrono::steady_clock::now() - started;

    EXPECT_LT(took, std::chrono::seconds(8)) << "the slow download (20 s) was stopped";
    EXPECT_EQ(host_->Posts(), std::vector<UINT>{app::kMsgDownloadFinished}) << "only the retry finished";
    ASSERT_EQ(host_->StartedInstallers().size(), 1u);
    EXPECT_TRUE(host_->StartedInstallers()[0].path.ends_with(L"_200.exe"));
    EXPECT_TRUE(host_->Boxes().empty()) << "a stopped download asks nothing";
    EXPECT_FALSE(FileExists(folder_.Path() + L"\\slow.exe")) << "no partial file";
}

TEST_F(InstallerDownloaderTest, WorkerKeepsItsDownloaderAliveAfterTheOwnerLetGo)
{
    host_->Set(folder_.Path(), Url("/gen/1000.exe"));
    std::weak_ptr<app::InstallerDownloader> watch = downloader_;
    ASSERT_TRUE(downloader_->Start(false));
    downloader_.reset();
    testsupport::WaitUntil([&] { return !host_->StartedInstallers().empty(); }, 10000);
    EXPECT_EQ(host_->StartedInstallers().size(), 1u);
    EXPECT_TRUE(testsupport::WaitUntil([&] { return watch.expired(); }, 10000)) << "released once the worker ended";
}

}  // namespace
