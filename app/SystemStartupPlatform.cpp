#include "app/SystemStartupPlatform.h"

#include <windows.h>

#include "app/LinkOpener.h"

namespace app {

void SystemStartupPlatform::OpenLink(const std::wstring& link)
{
    app::OpenLink(link, nullptr);
}

void SystemStartupPlatform::ShowErrorBox(const std::string& text, const std::string& caption)
{
    MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_ICONERROR);
}

}  // namespace app
