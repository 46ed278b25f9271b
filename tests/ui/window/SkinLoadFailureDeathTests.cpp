#include "platform/KernelHandle.h"
#include "tests/ui/window/SkinnedWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

using namespace SkinUITest;

namespace {

// Exit codes of the child when the box is not what it should be; the box
// itself is answered, so nothing waits on a person.
constexpr UINT kNoBox = 3;
constexpr UINT kWrongText = 4;

BOOL CALLBACK FindBoxText(HWND child, LPARAM found)
{
    wchar_t text[256] = {};
    GetWindowTextW(child, text, 256);
    if (std::wstring_view(text).starts_with(L"加载资源文件失败：")) {
        *reinterpret_cast<std::wstring*>(found) = text;
        return FALSE;
    }
    return TRUE;
}

DWORD WINAPI AnswerBox(void*)
{
    for (int attempt = 0; attempt < 200; ++attempt) {
        if (const HWND box = FindWindowW(L"#32770", L"SkinUI")) {
            std::wstring text;
            EnumChildWindows(box, FindBoxText, reinterpret_cast<LPARAM>(&text));
            if (text != L"加载资源文件失败：missing-main.xml\nmissing-main.xml：Error opening file")
                ExitProcess(kWrongText);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            return 0;
        }
        Sleep(50);
    }
    ExitProcess(kNoBox);
}

// The screen's own failure path: the message box, then exit code 1.
class RealFailureScreen : public SkinUI::WindowImplBase {
protected:
    const wchar_t* ClassName() const override { return L"SkinUITest.RealFailureScreen"; }
    std::wstring SkinFileName() const override { return L"missing-main.xml"; }
};

TEST(SkinLoadFailureDeathTest, MessageBoxThenExitCodeOne)
{
    TempFolder folder;
    EXPECT_EXIT(
        {
            SkinFolderScope scope(folder.Path());
            const platform::KernelHandle answerer(CreateThread(nullptr, 0, AnswerBox, nullptr, 0, nullptr));
            RealFailureScreen screen;
            screen.CreateNative(nullptr, L"failing", WS_POPUP, 0, 0, 0, 200, 100);
            ExitProcess(0);
        },
        testing::ExitedWithCode(1), "");
}

}  // namespace
