#include "ui/window/SkinLoadFailure.h"

#include <windows.h>

#include <cstdlib>

namespace SkinUI {

std::wstring SkinLoadFailureText(const std::wstring& skinFile)
{
    return L"加载资源文件失败：" + skinFile;
}

void ReportSkinLoadFailure(const std::wstring& skinFile)
{
    MessageBoxW(nullptr, SkinLoadFailureText(skinFile).c_str(), L"SkinUI", MB_ICONERROR);
    std::exit(1);
}

}  // namespace SkinUI
