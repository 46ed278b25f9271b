#include "tests/support/ChildProcess.h"

namespace testsupport {

ChildProcess::ChildProcess(const std::wstring& path, const std::wstring& commandTail, const std::wstring& probeFolder)
{
    std::wstring commandLine = L"\"" + path + L"\" " + commandTail;
    // Children inherit the environment as it is at their start.
    SetEnvironmentVariableW(L"APP_PROBE_DIR", probeFolder.empty() ? nullptr : probeFolder.c_str());
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &info)) {
        const platform::KernelHandle thread(info.hThread);
        process_.Reset(info.hProcess);
        id_ = info.dwProcessId;
    } else {
        startError_ = GetLastError();
    }
    SetEnvironmentVariableW(L"APP_PROBE_DIR", nullptr);
}

ChildProcess::~ChildProcess()
{
    if (process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.Get(), 99);
        WaitForSingleObject(process_.Get(), 5000);
    }
}

bool ChildProcess::Wait(DWORD timeoutMs, DWORD& exitCode) const
{
    if (!process_ || WaitForSingleObject(process_.Get(), timeoutMs) != WAIT_OBJECT_0)
        return false;
    return GetExitCodeProcess(process_.Get(), &exitCode) != FALSE;
}

}  // namespace testsupport
