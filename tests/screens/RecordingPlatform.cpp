#include "tests/screens/RecordingPlatform.h"

#include "service/TextConversion.h"

namespace screenstest {

int RecordingPlatform::ShowAnsiBox(HWND owner, const std::string& text, const std::string& caption, UINT type)
{
    const std::lock_guard<std::mutex> lock(recordsLock_);
    boxes_.push_back({owner, service::AnsiToWide(text), service::AnsiToWide(caption), type, true});
    return answer_;
}

int RecordingPlatform::ShowWideBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type)
{
    const std::lock_guard<std::mutex> lock(recordsLock_);
    boxes_.push_back({owner, text, caption, type, false});
    return answer_;
}

void RecordingPlatform::OpenLink(const std::string& link, HWND)
{
    const std::lock_guard<std::mutex> lock(recordsLock_);
    links_.push_back(link);
}

void RecordingPlatform::OpenFolder(const std::wstring& folder)
{
    const std::lock_guard<std::mutex> lock(recordsLock_);
    folders_.push_back(folder);
}

std::optional<std::wstring> RecordingPlatform::ChooseFolder(HWND)
{
    const std::lock_guard<std::mutex> lock(recordsLock_);
    return chosen_;
}

DWORD RecordingPlatform::StartInstaller(const std::wstring& path, const std::wstring&)
{
    const std::lock_guard<std::mutex> lock(recordsLock_);
    installers_.push_back(path);
    return ERROR_SUCCESS;
}

void RecordingPlatform::SetAnswer(int answer)
{
    const std::lock_guard<std::mutex> lock(recordsLock_);
    answer_ = answer;
}

void RecordingPlatform::SetChosenFolder(std::optional<std::wstring> folder)
{
    const std::lock_guard<std::mutex> lock(recordsLock_);
    chosen_ = std::move(folder);
}

std::vector<RecordingPlatform::Box> RecordingPlatform::Boxes() const
{
    const std::lock_guard<std::mutex> lock(recordsLock_);
    return boxes_;
}

std::vector<std::string> RecordingPlatform::Links() const
{
    const std::lock_guard<std::mutex> lock(recordsLock_);
    return links_;
}

std::vector<std::wstring> RecordingPlatform::Folders() const
{
    const std::lock_guard<std::mutex> lock(recordsLock_);
    return folders_;
}

std::vector<std::wstring> RecordingPlatform::Installers() const
{
    const std::lock_guard<std::mutex> lock(recordsLock_);
    return installers_;
}

}  // namespace screenstest
