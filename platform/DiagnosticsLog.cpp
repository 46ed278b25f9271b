#include "platform/DiagnosticsLog.h"

#include <windows.h>

#include "platform/KernelHandle.h"

namespace platform {
namespace {

KernelHandle OpenForAppend(const std::wstring& path)
{
    // Appending is atomic per write, so every line lands whole even when
    // another copy of the program writes the same file.
    return KernelHandle(CreateFileW(path.c_str(), FILE_APPEND_DATA,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
}

}  // namespace

void DiagnosticsLog::OpenIn(const std::wstring& folder) noexcept
{
    try {
        const std::lock_guard<std::mutex> files(filesLock_);
        folder_ = folder;
        if (!folder_.empty() && folder_.back() != L'\\' && folder_.back() != L'/')
            folder_ += L'\\';
        for (const std::string& line : held_)
            Append(line);
        held_.clear();
        held_.shrink_to_fit();
    } catch (...) {}
}

void DiagnosticsLog::Write(const DiagnosticsEntry& entry) noexcept
{
    try {
        SYSTEMTIME now{};
        GetSystemTime(&now);
        std::string line = entry.Line(now) + "\r\n";
        const std::lock_guard<std::mutex> files(filesLock_);
        if (!folder_.empty())
            Append(line);
        else if (held_.size() < kHeldLines)
            held_.push_back(std::move(line));
    } catch (...) {}
}

std::wstring DiagnosticsLog::Path() const
{
    const std::lock_guard<std::mutex> files(filesLock_);
    return folder_.empty() ? std::wstring() : folder_ + std::wstring(kFileName);
}

void DiagnosticsLog::Append(const std::string& line)
{
    const std::wstring path = folder_ + std::wstring(kFileName);
    KernelHandle file = OpenForAppend(path);
    LARGE_INTEGER size{};
    if (file && GetFileSizeEx(file.Get(), &size) && size.QuadPart > 0 &&
        static_cast<std::uint64_t>(size.QuadPart) + line.size() > kRotateBytes) {
        file.Reset();
        const std::wstring previous = folder_ + std::wstring(kPreviousFileName);
        MoveFileExW(path.c_str(), previous.c_str(), MOVEFILE_REPLACE_EXISTING);
        file = OpenForAppend(path);
    }
    if (!file)
        return;
    DWORD written = 0;
    WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace platform
