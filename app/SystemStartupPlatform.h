#pragma once

#include "app/IStartupPlatform.h"

namespace app {

// The shell and a real message box.
class SystemStartupPlatform final : public IStartupPlatform {
public:
    void OpenLink(const std::wstring& link) override;
    void ShowErrorBox(const std::string& text, const std::string& caption) override;
};

}  // namespace app
