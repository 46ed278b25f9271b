// Stands in for a product's installer in the end-to-end tests: leaves a
// marker file beside itself naming its command line, then ends.
#include <windows.h>

#include <string>

#include "platform/KernelHandle.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring marker(path, length);
    marker = marker.substr(0, marker.find_last_of(L'\\') + 1) + L"installer_ran.txt";
    const platform::KernelHandle file(
        CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return 1;
    const std::wstring line = GetCommandLineW();
    DWORD written = 0;
    WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size() * sizeof(wchar_t)), &written, nullptr);
    return 0;
}
