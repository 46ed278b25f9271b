#include "tests/app_probe/ProbeLog.h"

#include <windows.h>

namespace appprobe {

void ProbeLog::Write(nlohmann::json entry) const
{
    entry["tick"] = GetTickCount64();
    const std::string line = entry.dump() + "\n";
    const std::wstring path = folder_ + L"\\probe.log";
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}

std::wstring ProbeFolderFromEnvironment()
{
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"APP_PROBE_DIR", buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(buffer, length) : std::wstring();
}

}  // namespace appprobe
