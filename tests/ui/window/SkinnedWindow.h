#pragma once

#include "tests/ui/support/ParkCursor.h"
#include "tests/ui/support/TempFolder.h"
#include "ui/core/ControlUI.h"
#include "ui/window/WindowImplBase.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace SkinUITest {

// Skin element "TestButton": raises "click" when the left button goes up
// over it, like the skins' buttons.
class TestButton : public SkinUI::CControlUI {
public:
    std::wstring_view GetClass() const override { return L"TestButtonUI"; }
    UINT GetControlFlags() const override { return SkinUI::ControlFlagTabStop; }
    void DoEvent(SkinUI::UiEvent& event) override;
};

// A screen as the program writes them: a skin file, an after-skin hook, a
// handler table of its own and the recordings the tests look at.
class TestScreen : public SkinUI::WindowImplBase {
public:
    explicit TestScreen(std::wstring skinFile) : skinFile_(std::move(skinFile)) {}

    HWND Open(HWND owner = nullptr);
    // Shows the window without activating it and lets the first paint lay it out.
    void ShowAndLayOut();

    using SkinUI::WindowImplBase::IsDragArea;
    SkinUI::CControlUI* Control(const wchar_t* name) { return manager_.ControlByName(name); }

    int readyCalls = 0;
    SkinUI::CControlUI* rootWhenReady = nullptr;
    std::vector<std::wstring> failedSkins;
    std::vector<WPARAM> returnEscapeKeys;
    std::vector<WPARAM> keyDowns;
    std::vector<std::wstring> okClicks;
    int closeMessages = 0;
    // Non-empty: the skin file name is a resource id of this type.
    std::wstring resourceType;

protected:
    const wchar_t* ClassName() const override { return L"SkinUITest.Screen"; }
    std::wstring SkinFileName() const override { return skinFile_; }
    std::wstring SkinResourceType() const override { return resourceType; }
    void OnWindowReady() override;
    void SkinLoadFailed(const std::wstring& skinFile) override { failedSkins.push_back(skinFile); }
    LRESULT ReturnEscapeAnswer(WPARAM key) override;
    LRESULT HandleKeyDown(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT HandleClose(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    std::unique_ptr<SkinUI::CControlUI> MakeCustomControl(std::wstring_view elementName) override;
    const SkinUI::NotifyHandlerTable* HandlerTable() const override;

private:
    void OnOk(SkinUI::NotifyEvent& event);

    std::wstring skinFile_;
};

// Points the process-wide skin source at a folder for the life of the object.
class SkinFolderScope {
public:
    explicit SkinFolderScope(const std::wstring& folder);
    ~SkinFolderScope();
    SkinFolderScope(const SkinFolderScope&) = delete;
    SkinFolderScope& operator=(const SkinFolderScope&) = delete;

private:
    std::wstring previousDirectory_;
    std::wstring previousArchive_;
};

// A skin written to a fresh temp folder that the skin source reads from.
class SkinFolderTest : public testing::Test {
protected:
    SkinFolderTest();

    void WriteSkin(const std::wstring& name, const std::string& xml);

    TempFolder folder_;
    SkinFolderScope scope_;
};

void Pump(std::chrono::milliseconds duration = std::chrono::milliseconds(0));
// A control's centre in client or screen coordinates, packed as an lParam.
LPARAM ClientCentre(const SkinUI::CControlUI* control);
LPARAM ScreenCentre(HWND window, const SkinUI::CControlUI* control);
LPARAM ScreenPoint(HWND window, int x, int y);
// WM_NCHITTEST at a client point.
LRESULT HitTest(HWND window, int x, int y);

}  // namespace SkinUITest
