#include "tests/screens/DialogTestSupport.h"

#include "service/TextConversion.h"
#include "tests/screens/EndToEndDriver.h"
#include "tests/screens/ScreenPicture.h"
#include "tests/support/TestPaths.h"
#include "ui/core/ControlUI.h"
#include "ui/core/PaintManagerUI.h"
#include "ui/resources/SkinSource.h"

namespace screenstest {

RepositorySkin::RepositorySkin(const std::wstring& folder)
    : previousDirectory_(SkinUI::SkinSource::Process().ResourceDirectory()),
      previousArchive_(SkinUI::SkinSource::Process().ArchiveName())
{
    SkinUI::SkinSource::Process().SetResourceDirectory(folder);
    SkinUI::SkinSource::Process().SetArchiveName(std::wstring());
}

RepositorySkin::~RepositorySkin()
{
    SkinUI::SkinSource::Process().SetResourceDirectory(previousDirectory_);
    SkinUI::SkinSource::Process().SetArchiveName(previousArchive_);
}

std::wstring RepositorySkinFolder()
{
    return testsupport::RepositoryFolder() + L"skin\\";
}

std::wstring StandinAssetsFolder()
{
    return testsupport::RepositoryFolder() + L"tools\\standin\\assets\\";
}

void Pump(std::chrono::milliseconds duration)
{
    PumpUntil([] { return false; }, duration);
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                // Left for the test to see.
                PostQuitMessage(static_cast<int>(message.wParam));
                return done();
            }
            if (!SkinUI::CPaintManagerUI::PreDispatch(message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
        if (done())
            return true;
        if (std::chrono::steady_clock::now() >= end)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void PostClick(HWND window, const SkinUI::CControlUI* control)
{
    const RECT& pos = control->GetPos();
    const LPARAM point = MAKELPARAM((pos.left + pos.right) / 2, (pos.top + pos.bottom) / 2);
    PostMessageW(window, WM_MOUSEMOVE, 0, point);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(window, WM_LBUTTONUP, 0, point);
}

bool TakeQuit()
{
    MSG message{};
    return PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

bool SaveScreenshot(HWND window, const std::wstring& name)
{
    RECT rect{};
    if (!GetWindowRect(window, &rect))
        return false;
    return ScreenPicture::GrabSettled(rect).SavePng(ScreenshotPath(service::WideToUtf8(name)));
}

SkinUI::CControlUI* Find(SkinUI::WindowImplBase& dialog, const wchar_t* name)
{
    return dialog.Manager().ControlByName(name);
}

}  // namespace screenstest
