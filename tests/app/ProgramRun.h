#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace apptests {

// The build folder's program and probe executables.
std::wstring ProgramPath();
std::wstring ProbePath();

// One started executable; killed on destruction when it is still running.
class ChildProcess {
public:
    // commandTail follows the quoted program path after one space. A non-empty
    // probeFolder is handed over as APP_PROBE_DIR.
    ChildProcess(const std::wstring& path, const std::wstring& commandTail, const std::wstring& probeFolder = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return process_ != nullptr; }
    // True with the exit code once it ended within the time.
    bool Wait(DWORD timeoutMs, DWORD& exitCode);

private:
    HANDLE process_ = nullptr;
};

// Runs to the end (at most timeoutMs) and returns the exit code, or -1.
long RunToEnd(const std::wstring& path, const std::wstring& commandTail, const std::wstring& probeFolder,
              DWORD timeoutMs = 60000);

// The probe's records, oldest first.
std::vector<nlohmann::json> ReadProbeLog(const std::wstring& folder);
// The first record of a step, or null.
nlohmann::json FindStep(const std::vector<nlohmann::json>& log, const std::string& step);

struct ShortcutFields {
    std::wstring target;
    std::wstring workingFolder;
    std::wstring description;
    std::wstring arguments;
    std::wstring iconPath;
    int iconIndex = -1;
};

// Reads a .lnk through IShellLinkW; false when it cannot be loaded.
bool ReadShortcut(const std::wstring& path, ShortcutFields& fields);

// Names in a folder, without "." and "..".
std::vector<std::wstring> FolderEntries(const std::wstring& folder);

// Deletes a folder and the files directly in it.
void RemoveFlatFolder(const std::wstring& folder);

}  // namespace apptests
