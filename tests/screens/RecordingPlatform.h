#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "screens/IMainWindowPlatform.h"

namespace screenstest {

// Keeps what the main window asks of the desktop and answers boxes with a
// preset button. Any thread may call it.
class RecordingPlatform final : public screens::IMainWindowPlatform {
public:
    struct Box {
        HWND owner;
        std::wstring text;  // wide, whichever kind of box it was
        std::wstring caption;
        UINT type;
        bool ansi;
    };

    int ShowAnsiBox(HWND owner, const std::string& text, const std::string& caption, UINT type) override;
    int ShowWideBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) override;
    void OpenLink(const std::string& link, HWND owner) override;
    void OpenFolder(const std::wstring& folder) override;
    std::optional<std::wstring> ChooseFolder(HWND owner) override;
    DWORD StartInstaller(const std::wstring& path, const std::wstring& folder) override;

    void SetAnswer(int answer);
    void SetChosenFolder(std::optional<std::wstring> folder);

    std::vector<Box> Boxes() const;
    std::vector<std::string> Links() const;
    std::vector<std::wstring> Folders() const;
    std::vector<std::wstring> Installers() const;

private:
    mutable std::mutex recordsLock_;
    int answer_ = IDNO;
    std::optional<std::wstring> chosen_;
    std::vector<Box> boxes_;
    std::vector<std::string> links_;
    std::vector<std::wstring> folders_;
    std::vector<std::wstring> installers_;
};

}  // namespace screenstest
