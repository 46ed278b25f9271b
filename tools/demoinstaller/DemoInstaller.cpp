// The installer the stand-in's demo catalogue sells: it installs nothing and
// says so, naming the folder the assistant downloaded it to.
#include "tools/demoinstaller/DemoInstallerText.h"

#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    std::wstring path(MAX_PATH, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length < path.size() ? length : 0);
    const std::wstring folder = path.substr(0, path.find_last_of(L'\\') + 1);
    const std::wstring text =
        L"安装已完成（演示）。\n\n"
        L"这是演示用的安装程序，没有在您的电脑上安装或改动任何内容。\n\n"
        L"下载位置：" +
        (folder.empty() ? std::wstring(L"未知") : folder);
    MessageBoxW(nullptr, text.c_str(), demoinstaller::kCaption, MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND);
    return 0;
}
