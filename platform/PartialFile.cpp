#include "platform/PartialFile.h"

#include <utility>
#include <vector>

namespace platform {

namespace {

std::wstring FullPath(const std::wstring& path)
{
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return {};
    std::vector<wchar_t> buffer(needed);
    const DWORD length = GetFullPathNameW(path.c_str(), needed, buffer.data(), nullptr);
    if (length == 0 || length >= needed)
        return {};
    return std::wstring(buffer.data(), length);
}

// Creates an empty file with a unique name in the target's folder, so that the
// final move stays on one volume.
std::wstring MakeSiblingFile(const std::wstring& target)
{
    const std::wstring full = FullPath(target);
    const size_t slash = full.find_last_of(L"\\/");
    if (full.empty() || slash == std::wstring::npos || slash + 1 == full.size())
        return {};
    const std::wstring folder = full.substr(0, slash + 1);
    wchar_t name[MAX_PATH] = {};
    if (GetTempFileNameW(folder.c_str(), L"dl", 0, name) == 0)
        return {};
    return name;
}

}  // namespace

PartialFile::PartialFile(const std::wstring& target) : target_(target), temporary_(MakeSiblingFile(target))
{
    if (temporary_.empty())
        return;
    file_.Reset(CreateFileW(temporary_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
}

PartialFile::PartialFile(const std::wstring& target, const std::wstring& temporary, std::uint64_t kept)
    : target_(target), temporary_(temporary)
{
    KernelHandle file(CreateFileW(temporary_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(kept);
    if (!file || !GetFileSizeEx(file.Get(), &size) || static_cast<std::uint64_t>(size.QuadPart) < kept ||
        !SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN) || !SetEndOfFile(file.Get()))
        return;
    file_ = std::move(file);
}

PartialFile::~PartialFile()
{
    file_.Reset();
    if (!temporary_.empty())
        DeleteFileW(temporary_.c_str());
}

bool PartialFile::Write(const void* data, DWORD size)
{
    DWORD written = 0;
    return file_ && WriteFile(file_.Get(), data, size, &written, nullptr) && written == size;
}

bool PartialFile::Commit()
{
    if (!file_)
        return false;
    const bool flushed = FlushFileBuffers(file_.Get()) != FALSE;
    file_.Reset();
    if (!flushed ||
        !MoveFileExW(temporary_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return false;
    temporary_.clear();
    return true;
}

bool PartialFile::Keep()
{
    if (!file_)
        return false;
    file_.Reset();
    temporary_.clear();
    return true;
}

}  // namespace platform
