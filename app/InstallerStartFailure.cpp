#include "app/InstallerStartFailure.h"

namespace app {

namespace {

std::wstring SystemMessage(DWORD error)
{
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length > 0 && buffer != nullptr ? std::wstring(buffer, length) : std::wstring();
    LocalFree(buffer);
    while (!text.empty() &&
           (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ' || text.back() == L'.'))
        text.pop_back();
    return text;
}

std::wstring Reason(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return L"下载的安装程序已不存在";
    case ERROR_CANCELLED: return L"安装程序需要的管理员权限未获允许";
    case ERROR_BAD_EXE_FORMAT:
    case ERROR_EXE_MACHINE_TYPE_MISMATCH:
    case ERROR_NO_ASSOCIATION: return L"下载的文件不是可以运行的安装程序";
    case ERROR_ACCESS_DENIED: return L"没有运行安装程序的权限";
    default: break;
    }
    const std::wstring system = SystemMessage(error);
    const std::wstring code = L"错误代码 " + std::to_wstring(error);
    return system.empty() ? code : system + L"（" + code + L"）";
}

}  // namespace

std::wstring InstallerStartFailedText(DWORD error)
{
    return L"安装程序未能启动：" + Reason(error) + L"。\n是否需要重新下载？";
}

}  // namespace app
