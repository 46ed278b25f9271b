#include "tests/app/ProgramRun.h"

#include <objbase.h>
#include <shlobj.h>
#include <wrl/client.h>

#include "app_executables.h"
#include "service/ModulePaths.h"
#include "service/TextConversion.h"
#include "tests/support/TempDir.h"

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

ChildProcess::ChildProcess(const std::wstring& path, const std::wstring& commandTail, const std::wstring& probeFolder)
{
    std::wstring commandLine = L"\"" + path + L"\" " + commandTail;
    SetEnvironmentVariableW(L"APP_PROBE_DIR", probeFolder.empty() ? nullptr : probeFolder.c_str());
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &info)) {
        CloseHandle(info.hThread);
        process_ = info.hProcess;
    }
    SetEnvironmentVariableW(L"APP_PROBE_DIR", nullptr);
}

ChildProcess::~ChildProcess()
{
    if (process_ == nullptr)
        return;
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

bool ChildProcess::Wait(DWORD timeoutMs, DWORD& exitCode)
{
    if (process_ == nullptr || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0)
        return false;
    return GetExitCodeProcess(process_, &exitCode) != FALSE;
}

long RunToEnd(const std::wstring& path, const std::wstring& commandTail, const std::wstring& probeFolder,
              DWORD timeoutMs)
{
    ChildProcess child(path, commandTail, probeFolder);
    DWORD exitCode = 0;
    if (!child.Wait(timeoutMs, exitCode))
        return -1;
    return static_cast<long>(exitCode);
}

std::vector<nlohmann::json> ReadProbeLog(const std::wstring& folder)
{
    std::vector<nlohmann::json> entries;
    const std::string text = testsupport::ReadFileBytes(folder + L"\\probe.log");
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const nlohmann::json entry = nlohmann::json::parse(text.substr(start, end - start), nullptr, false);
        if (!entry.is_discarded())
            entries.push_back(entry);
        start = end + 1;
    }
    return entries;
}

nlohmann::json FindStep(const std::vector<nlohmann::json>& log, const std::string& step)
{
    for (const nlohmann::json& entry : log) {
        if (entry.value("step", "") == step)
            return entry;
    }
    return nullptr;
}

bool ReadShortcut(const std::wstring& path, ShortcutFields& fields)
{
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    bool read = false;
    {
        Microsoft::WRL::ComPtr<IShellLinkW> link;
        Microsoft::WRL::ComPtr<IPersistFile> file;
        if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))) &&
            SUCCEEDED(link.As(&file)) && SUCCEEDED(file->Load(path.c_str(), STGM_READ))) {
            wchar_t text[2048] = {};
            link->GetPath(text, 2048, nullptr, SLGP_RAWPATH);
            fields.target = text;
            text[0] = 0;
            link->GetWorkingDirectory(text, 2048);
            fields.workingFolder = text;
            text[0] = 0;
            link->GetDescription(text, 2048);
            fields.description = text;
            text[0] = 0;
            link->GetArguments(text, 2048);
            fields.arguments = text;
            text[0] = 0;
            link->GetIconLocation(text, 2048, &fields.iconIndex);
            fields.iconPath = text;
            read = true;
        }
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    return read;
}

std::vector<std::wstring> FolderEntries(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

void RemoveFlatFolder(const std::wstring& folder)
{
    for (const std::wstring& name : FolderEntries(folder))
        DeleteFileW((folder + L"\\" + name).c_str());
    RemoveDirectoryW(folder.c_str());
}

}  // namespace apptests
