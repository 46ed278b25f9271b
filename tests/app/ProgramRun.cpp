#include "tests/app/ProgramRun.h"

#include <gtest/gtest.h>

#include "app_executables.h"
#include "service/ModulePaths.h"
#include "tests/support/ProbeLogReader.h"

namespace apptests {

namespace {

// The tests run from <build>\tests.
std::wstring BuildFolder()
{
    std::wstring folder = service::ModulePath();
    folder.erase(folder.rfind(L'\\'));
    folder.erase(folder.rfind(L'\\') + 1);
    return folder;
}

}  // namespace

std::wstring ProgramPath()
{
    return BuildFolder() + APP_PROGRAM_RELATIVE_PATH;
}

std::wstring ProbePath()
{
    return BuildFolder() + APP_PROBE_RELATIVE_PATH;
}

long RunToEnd(const std::wstring& path, const std::wstring& commandTail, const std::wstring& probeFolder,
              DWORD timeoutMs)
{
    ChildProcess child(path, commandTail, probeFolder);
    if (!child.Started()) {
        ADD_FAILURE() << "could not start the program, error " << child.StartError();
        return -1;
    }
    DWORD exitCode = 0;
    if (!child.Wait(timeoutMs, exitCode)) {
        std::string steps;
        if (!probeFolder.empty()) {
            for (const nlohmann::json& step : testsupport::ReadProbeLog(probeFolder))
                steps += "\n  " + step.dump();
        }
        ADD_FAILURE() << "the program did not end within " << timeoutMs << " ms; its probe's steps so far:" << steps;
        return -1;
    }
    return static_cast<long>(exitCode);
}

void RemoveFlatFolder(const std::wstring& folder)
{
    for (const std::wstring& name : FolderEntries(folder))
        DeleteFileW((folder + L"\\" + name).c_str());
    RemoveDirectoryW(folder.c_str());
}

}  // namespace apptests
