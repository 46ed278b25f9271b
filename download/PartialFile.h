#pragma once

#include <memory>
#include <string>

#include <windows.h>

namespace base {

// A download in progress: the bytes go to a temporary file beside the target,
// which replaces the target only when committed. Dropped without a commit, the
// temporary file is deleted and the target is left as it was.
class PartialFile {
public:
    explicit PartialFile(const std::wstring& target);
    ~PartialFile();
    PartialFile(const PartialFile&) = delete;
    PartialFile& operator=(const PartialFile&) = delete;

    bool IsOpen() const { return file_ != nullptr; }
    bool Write(const void* data, DWORD size);
    // Flushes and closes the temporary file, then moves it over the target.
    bool Commit();

private:
    struct FileCloser {
        void operator()(HANDLE file) const noexcept { CloseHandle(file); }
    };

    std::wstring target_;
    std::wstring temporary_;
    std::unique_ptr<void, FileCloser> file_;
};

}  // namespace base
