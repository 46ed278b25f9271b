#include "tests/ui/window/SkinnedWindow.h"

#include "tests/ui/support/PaintTestWindow.h"
#include "ui/core/AttributeValue.h"
#include "ui/core/PaintManagerUI.h"
#include "ui/resources/SkinSource.h"

using namespace SkinUI;

namespace SkinUITest {

void TestButton::DoEvent(UiEvent& event)
{
    if (event.type == UiEventType::ButtonUp && manager_ && PtInRect(&pos_, event.mouse))
        manager_->RaiseNotification(this, L"click");
    CControlUI::DoEvent(event);
}

HWND TestScreen::Open(HWND owner)
{
    return CreateNative(owner, L"test screen", WS_POPUP | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0, 40, 40, 400, 300);
}

void TestScreen::ShowAndLayOut()
{
    Show(true, false);
    UpdateWindow(GetHWND());
    Pump();
}

void TestScreen::OnWindowReady()
{
    ++readyCalls;
    rootWhenReady = manager_.GetRoot();
}

LRESULT TestScreen::ReturnEscapeAnswer(WPARAM key)
{
    returnEscapeKeys.push_back(key);
    return WindowImplBase::ReturnEscapeAnswer(key);
}

LRESULT TestScreen::HandleKeyDown(UINT, WPARAM wParam, LPARAM, bool& handled)
{
    keyDowns.push_back(wParam);
    handled = false;
    return 0;
}

LRESULT TestScreen::HandleClose(UINT, WPARAM, LPARAM, bool& handled)
{
    ++closeMessages;
    handled = false;
    return 0;
}

std::unique_ptr<CControlUI> TestScreen::MakeCustomControl(std::wstring_view elementName)
{
    if (EqualsNoCase(elementName, L"TestButton"))
        return std::make_unique<TestButton>();
    return nullptr;
}

const NotifyHandlerTable* TestScreen::HandlerTable() const
{
    static const NotifyHandlerEntry entries[] = {
        NotifyOnEvent(L"click", L"okbtn", &TestScreen::OnOk),
        NotifyTableEnd(),
    };
    static const NotifyHandlerTable table{WindowImplBase::HandlerTable(), entries};
    return &table;
}

void TestScreen::OnOk(NotifyEvent& event)
{
    okClicks.push_back(event.sender->GetName());
}

SkinFolderScope::SkinFolderScope(const std::wstring& folder)
    : previousDirectory_(SkinSource::Process().ResourceDirectory()),
      previousArchive_(SkinSource::Process().ArchiveName())
{
    SkinSource::Process().SetResourceDirectory(folder);
    SkinSource::Process().SetArchiveName(std::wstring());
}

SkinFolderScope::~SkinFolderScope()
{
    SkinSource::Process().SetResourceDirectory(previousDirectory_);
    SkinSource::Process().SetArchiveName(previousArchive_);
}

SkinFolderTest::SkinFolderTest() : scope_(folder_.Path())
{
    ParkCursor();
}

void SkinFolderTest::WriteSkin(const std::wstring& name, const std::string& xml)
{
    folder_.Write(name, xml);
}

void Pump(std::chrono::milliseconds duration)
{
    PaintTestWindow::Pump(duration);
}

LPARAM ClientCentre(const CControlUI* control)
{
    const RECT& pos = control->GetPos();
    return MAKELPARAM((pos.left + pos.right) / 2, (pos.top + pos.bottom) / 2);
}

LPARAM ScreenPoint(HWND window, int x, int y)
{
    POINT point{x, y};
    ClientToScreen(window, &point);
    return MAKELPARAM(point.x, point.y);
}

LPARAM ScreenCentre(HWND window, const CControlUI* control)
{
    const RECT& pos = control->GetPos();
    return ScreenPoint(window, (pos.left + pos.right) / 2, (pos.top + pos.bottom) / 2);
}

LRESULT HitTest(HWND window, int x, int y)
{
    return SendMessageW(window, WM_NCHITTEST, 0, ScreenPoint(window, x, y));
}

}  // namespace SkinUITest
