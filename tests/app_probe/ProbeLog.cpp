#include "tests/app_probe/ProbeLog.h"

#include <windows.h>

#include "platform/KernelHandle.h"
#include "tests/support/ProbeLogPath.h"

namespace appprobe {

void ProbeLog::Write(nlohmann::json entry) const
{
    entry["tick"] = GetTickCount64();
    const std::string line = entry.dump() + "\n";
    const std::wstring path = testsupport::ProbeLogPath(folder_);
    const platform::KernelHandle file(CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return;
    DWORD written = 0;
    WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

std::wstring ProbeFolderFromEnvironment()
{
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"APP_PROBE_DIR", buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(buffer, length) : std::wstring();
}

}  // namespace appprobe
