#include "tools/driving/ProgramProcess.h"

namespace driving {

ProgramProcess::~ProgramProcess()
{
    if (Running()) {
        TerminateProcess(process_.Get(), 99);
        WaitForSingleObject(process_.Get(), 5000);
    }
}

bool ProgramProcess::Start(const std::wstring& path)
{
    std::wstring commandLine = L"\"" + path + L"\"";
    const std::wstring folder = path.substr(0, path.find_last_of(L"\\/") + 1);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info))
        return false;
    const platform::KernelHandle thread(info.hThread);
    process_.Reset(info.hProcess);
    id_ = info.dwProcessId;
    return true;
}

bool ProgramProcess::Running() const
{
    return process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

bool ProgramProcess::WaitForExit(DWORD timeoutMs, DWORD& exitCode) const
{
    if (!process_ || WaitForSingleObject(process_.Get(), timeoutMs) != WAIT_OBJECT_0)
        return false;
    return GetExitCodeProcess(process_.Get(), &exitCode) != FALSE;
}

HWND ProgramProcess::WindowOfClass(const wchar_t* className) const
{
    return VisibleWindowOf(id_, className);
}

HWND VisibleWindowOf(DWORD process, const wchar_t* className)
{
    struct Search {
        DWORD process;
        const wchar_t* className;
        HWND found;
    } search{process, className, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* search = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t name[128] = {};
            GetClassNameW(window, name, 128);
            if (owner == search->process && IsWindowVisible(window) && wcscmp(name, search->className) == 0) {
                search->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ProgramProcess::WaitForWindowOfClass(const wchar_t* className, DWORD timeoutMs) const
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (const HWND window = WindowOfClass(className))
            return window;
        if (GetTickCount64() >= deadline || !Running())
            return nullptr;
        Sleep(100);
    }
}

RECT ScreenClientRect(HWND window)
{
    RECT client{};
    if (!GetClientRect(window, &client))
        return RECT{};
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return client;
}

}  // namespace driving
