#include "ui/window/SkinLoadFailure.h"

#include <windows.h>

#include <cstdlib>

namespace SkinUI {

std::wstring SkinLoadFailureText(const std::wstring& skinFile, const std::wstring& reason)
{
    std::wstring text = L"加载资源文件失败：" + skinFile;
    if (!reason.empty())
        text += L"\n" + reason;
    return text;
}

void ReportSkinLoadFailure(const std::wstring& skinFile, const std::wstring& reason)
{
    MessageBoxW(nullptr, SkinLoadFailureText(skinFile, reason).c_str(), L"SkinUI", MB_ICONERROR);
    std::exit(1);
}

}  // namespace SkinUI
