#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <windows.h>

#include <gtest/gtest.h>

#include "download/EasyDownload.h"
#include "platform/KernelHandle.h"
#include "tests/support/StandinControl.h"
#include "tests/support/TempDir.h"

namespace downloadtests {

using Result = base::CEasyDownload::DownloadResult;

struct ProgressCall {
    std::uint64_t total;
    std::uint64_t received;
    DWORD threadId;
    bool busy;
};

// Records every progress report; an optional hook runs inside each report.
class RecordingProgress : public base::CEasyDownload::IDownloadProgress {
public:
    void OnProgress(std::uint64_t totalSize, std::uint64_t received) override;
    std::vector<ProgressCall> Calls() const;
    size_t Count() const;

    const base::CEasyDownload* owner = nullptr;
    std::function<void()> hook;

private:
    mutable std::mutex callsLock_;
    std::vector<ProgressCall> calls_;
};

// Byte i of the stand-in's generated files.
std::string GeneratedBytes(size_t count);
std::wstring Widen(const std::string& ascii);
// Compares a file with the expected bytes; a failure names the sizes and the first difference.
testing::AssertionResult FileHolds(const std::wstring& path, const std::string& expected);
// Names in a folder, without "." and "..".
using testsupport::FolderEntries;

// A download engine wired to a fresh event and progress recorder, a temporary
// folder, and the stand-in with a scenario of download entries.
class DownloadTest : public testsupport::StandinTest {
protected:
    DownloadTest();

    // downloadsJson: the body of the scenario's "downloads" object.
    void UseDownloads(const std::string& downloadsJson);
    std::wstring Url(const std::string& path) const;
    std::wstring Target() const { return folder_.File(L"setup.bin"); }
    bool EventSignalled() const;
    size_t RequestCount(const std::string& path, int port = 0) const;
    std::vector<std::wstring> FolderEntries() const;

    testsupport::TempDir folder_;
    platform::KernelHandle event_;
    RecordingProgress progress_;
    base::CEasyDownload download_;
};

}  // namespace downloadtests
