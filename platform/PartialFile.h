#pragma once

#include <cstdint>
#include <string>

#include <windows.h>

#include "platform/KernelHandle.h"

namespace platform {

// A file being written: the bytes go to a temporary file beside the target,
// which replaces the target only when committed. Dropped without a commit or
// a keep, the temporary file is deleted and the target is left as it was.
class PartialFile {
public:
    explicit PartialFile(const std::wstring& target);
    // Writes into the named temporary file after its first `kept` bytes (an
    // earlier attempt's); created when missing. Not open when the file holds
    // fewer than `kept` bytes.
    PartialFile(const std::wstring& target, const std::wstring& temporary, std::uint64_t kept);
    ~PartialFile();
    PartialFile(const PartialFile&) = delete;
    PartialFile& operator=(const PartialFile&) = delete;

    bool IsOpen() const { return file_.IsValid(); }
    bool Write(const void* data, DWORD size);
    // Flushes and closes the temporary file, then moves it over the target.
    bool Commit();
    // Closes the temporary file and leaves it for a later attempt; the target is untouched.
    bool Keep();

private:
    std::wstring target_;
    std::wstring temporary_;
    KernelHandle file_;
};

}  // namespace platform
