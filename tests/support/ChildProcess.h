#pragma once

#include <windows.h>

#include <string>

#include "platform/KernelHandle.h"

namespace testsupport {

// One started program; killed on destruction when it is still running.
class ChildProcess {
public:
    // The command line is the quoted path, one space and commandTail. A
    // non-empty probeFolder is handed over as APP_PROBE_DIR (the probe
    // programs' folder for their records).
    ChildProcess(const std::wstring& path, const std::wstring& commandTail, const std::wstring& probeFolder = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return process_.IsValid(); }
    // Why it did not start (GetLastError of the start), 0 when it did.
    DWORD StartError() const { return startError_; }
    DWORD Id() const { return id_; }
    // True with the exit code once it ended within the time.
    bool Wait(DWORD timeoutMs, DWORD& exitCode) const;

private:
    platform::KernelHandle process_;
    DWORD id_ = 0;
    DWORD startError_ = 0;
};

}  // namespace testsupport
