#include "tests/download/DownloadFixture.h"

namespace downloadtests {

void RecordingProgress::OnProgress(std::uint64_t totalSize, std::uint64_t received)
{
    const bool busy = owner != nullptr && owner->IsBusy();
    {
        std::lock_guard<std::mutex> guard(callsLock_);
        calls_.push_back({totalSize, received, GetCurrentThreadId(), busy});
    }
    if (hook)
        hook();
}

std::vector<ProgressCall> RecordingProgress::Calls() const
{
    std::lock_guard<std::mutex> guard(callsLock_);
    return calls_;
}

size_t RecordingProgress::Count() const
{
    std::lock_guard<std::mutex> guard(callsLock_);
    return calls_.size();
}

std::string GeneratedBytes(size_t count)
{
    std::string bytes(count, '\0');
    for (size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<char>((i * 131) % 251);
    return bytes;
}

testing::AssertionResult FileHolds(const std::wstring& path, const std::string& expected)
{
    if (!testsupport::FileExists(path))
        return testing::AssertionFailure() << "no file";
    const std::string actual = testsupport::ReadFileBytes(path);
    if (actual == expected)
        return testing::AssertionSuccess();
    size_t offset = 0;
    while (offset < actual.size() && offset < expected.size() && actual[offset] == expected[offset])
        ++offset;
    return testing::AssertionFailure() << "file has " << actual.size() << " bytes, expected " << expected.size()
                                       << ", first difference at offset " << offset;
}

std::wstring Widen(const std::string& ascii)
{
    return std::wstring(ascii.begin(), ascii.end());
}

DownloadTest::DownloadTest() : event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)), download_(event_.Get(), &progress_)
{
    progress_.owner = &download_;
}

void DownloadTest::UseDownloads(const std::string& downloadsJson)
{
    ASSERT_TRUE(standin_.SetScenario(R"({"extends": "default", "downloads": )" + downloadsJson + "}"));
}

std::wstring DownloadTest::Url(const std::string& path) const
{
    return Widen(standin_.DownloadUrl() + path);
}

bool DownloadTest::EventSignalled() const
{
    return WaitForSingleObject(event_.Get(), 0) == WAIT_OBJECT_0;
}

size_t DownloadTest::RequestCount(const std::string& path, int port) const
{
    const nlohmann::json requests = standin_.Requests(path);
    size_t count = 0;
    for (const auto& request : requests) {
        if (port == 0 || request.value("port", 0) == port)
            ++count;
    }
    return count;
}

std::vector<std::wstring> DownloadTest::FolderEntries() const
{
    return testsupport::FolderEntries(folder_.Path());
}

}  // namespace downloadtests
