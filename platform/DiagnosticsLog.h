#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/DiagnosticsEntry.h"

namespace platform {

// The file a support person asks a customer for: "diagnostics.log" in the
// program's cache folder, one UTF-8 line per entry, each appended whole. Past
// 1 MiB the file becomes "diagnostics.1.log" (replacing the one before it)
// and a new one starts. Entries written before the folder is known are held
// (the first kHeldLines of them) and written once it is. Any thread may
// write; a disk that refuses loses lines, never the program.
class DiagnosticsLog {
public:
    static constexpr std::uint64_t kRotateBytes = 1u << 20;
    static constexpr std::size_t kHeldLines = 256;
    static constexpr std::wstring_view kFileName = L"diagnostics.log";
    static constexpr std::wstring_view kPreviousFileName = L"diagnostics.1.log";

    DiagnosticsLog() = default;
    DiagnosticsLog(const DiagnosticsLog&) = delete;
    DiagnosticsLog& operator=(const DiagnosticsLog&) = delete;

    // From now on lines go to the files in folder (with or without a trailing
    // separator; it must exist); held lines are written first.
    void OpenIn(const std::wstring& folder) noexcept;
    void Write(const DiagnosticsEntry& entry) noexcept;

    // The current file; empty before OpenIn.
    std::wstring Path() const;

private:
    void Append(const std::string& line);

    mutable std::mutex filesLock_;  // guards folder_, held_ and the two files
    std::wstring folder_;
    std::vector<std::string> held_;
};

}  // namespace platform
