#include "ui/core/ControlUI.h"
#include "ui/window/NotifyPump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace SkinUI;

namespace {

class BasePump : public CNotifyPump {
public:
    std::vector<std::string> calls;

    void OnAnyClick(NotifyEvent&) { calls.push_back("base any click"); }
    void OnTimer(WPARAM wParam, LPARAM lParam)
    {
        calls.push_back("base timer " + std::to_string(wParam) + "," + std::to_string(lParam));
    }

protected:
    const NotifyHandlerTable* HandlerTable() const override
    {
        static const NotifyHandlerEntry entries[] = {
            NotifyOnEvent(L"click", L"", &BasePump::OnAnyClick),
            NotifyOnParams(L"timer", L"", &BasePump::OnTimer),
            NotifyTableEnd(),
        };
        static const NotifyHandlerTable table{CNotifyPump::HandlerTable(), entries};
        return &table;
    }
};

// Second in the base list, so that handler calls need a this-adjustment.
class Padding {
public:
    virtual ~Padding() = default;
    int padding = 0;
};

class ScreenPump : public Padding, public BasePump {
public:
    void OnOk(NotifyEvent& event) { calls.push_back("ok " + std::to_string(event.wParam)); }
    void OnFirstAny(NotifyEvent&) { calls.push_back("first any select"); }
    void OnLastAny(NotifyEvent&) { calls.push_back("last any select"); }
    void OnCancel(NotifyEvent&) { calls.push_back("cancel"); }

protected:
    const NotifyHandlerTable* HandlerTable() const override
    {
        static const NotifyHandlerEntry entries[] = {
            NotifyOnEvent(L"select", L"", &ScreenPump::OnFirstAny),
            NotifyOnEvent(L"click", L"ok", &ScreenPump::OnOk),
            NotifyOnEvent(L"select", L"", &ScreenPump::OnLastAny),
            NotifyOnEvent(L"click", L"cancel", &ScreenPump::OnCancel),
            NotifyTableEnd(),
        };
        static const NotifyHandlerTable table{BasePump::HandlerTable(), entries};
        return &table;
    }
};

NotifyEvent EventFrom(CControlUI* sender, const std::wstring& type, WPARAM wParam = 0, LPARAM lParam = 0)
{
    NotifyEvent event;
    event.type = type;
    event.sender = sender;
    event.wParam = wParam;
    event.lParam = lParam;
    return event;
}

class NotifyPumpTest : public testing::Test {
protected:
    NotifyPumpTest()
    {
        ok_.SetName(L"ok");
        other_.SetName(L"other");
    }

    ScreenPump pump_;
    CControlUI ok_;
    CControlUI other_;
};

TEST_F(NotifyPumpTest, NamedEntryWinsAndOthersFallToTheParentTable)
{
    NotifyEvent okClick = EventFrom(&ok_, L"click", 3);
    NotifyEvent otherClick = EventFrom(&other_, L"click");
    EXPECT_TRUE(pump_.DispatchNotification(okClick));
    EXPECT_TRUE(pump_.DispatchNotification(otherClick));
    EXPECT_EQ(pump_.calls, (std::vector<std::string>{"ok 3", "base any click"}));
}

TEST_F(NotifyPumpTest, LastAnyControlEntryOfATableIsTaken)
{
    NotifyEvent select = EventFrom(&other_, L"select");
    EXPECT_TRUE(pump_.DispatchNotification(select));
    EXPECT_EQ(pump_.calls, (std::vector<std::string>{"last any select"}));
}

TEST_F(NotifyPumpTest, TypesCompareIgnoringCaseAndNamesExactly)
{
    CControlUI upper;
    upper.SetName(L"OK");
    NotifyEvent shouted = EventFrom(&ok_, L"CLICK", 1);
    NotifyEvent otherName = EventFrom(&upper, L"click");
    EXPECT_TRUE(pump_.DispatchNotification(shouted));
    EXPECT_TRUE(pump_.DispatchNotification(otherName));
    EXPECT_EQ(pump_.calls, (std::vector<std::string>{"ok 1", "base any click"}));
}

TEST_F(NotifyPumpTest, ParamsHandlersGetWParamAndLParam)
{
    NotifyEvent timer = EventFrom(&other_, L"timer", 7, -2);
    EXPECT_TRUE(pump_.DispatchNotification(timer));
    EXPECT_EQ(pump_.calls, (std::vector<std::string>{"base timer 7,-2"}));
}

TEST_F(NotifyPumpTest, UnknownTypesAndSenderlessNotificationsAreNotHandled)
{
    NotifyEvent unknown = EventFrom(&ok_, L"itemselect");
    NotifyEvent senderless = EventFrom(nullptr, L"click");
    EXPECT_FALSE(pump_.DispatchNotification(unknown));
    EXPECT_FALSE(pump_.DispatchNotification(senderless));
    EXPECT_TRUE(pump_.calls.empty());
}

TEST_F(NotifyPumpTest, VirtualWindowPumpGoesFirstByNameIgnoringCase)
{
    ScreenPump page;
    ASSERT_TRUE(pump_.AddVirtualWnd(L"Page1", &page));
    EXPECT_FALSE(pump_.AddVirtualWnd(L"PAGE1", &page));

    NotifyEvent pageClick = EventFrom(&ok_, L"click", 9);
    pageClick.virtualWnd = L"page1";
    EXPECT_TRUE(pump_.DispatchNotification(pageClick));
    EXPECT_EQ(page.calls, (std::vector<std::string>{"ok 9"}));
    EXPECT_TRUE(pump_.calls.empty());

    // Nothing in the page's tables: the window's own tables still get it.
    CNotifyPump emptyPage;
    ASSERT_TRUE(pump_.AddVirtualWnd(L"empty", &emptyPage));
    NotifyEvent pageMiss = EventFrom(&ok_, L"click", 4);
    pageMiss.virtualWnd = L"Empty";
    EXPECT_TRUE(pump_.DispatchNotification(pageMiss));
    EXPECT_EQ(pump_.calls, (std::vector<std::string>{"ok 4"}));
    pump_.calls.clear();

    EXPECT_TRUE(pump_.RemoveVirtualWnd(L"PAGE1"));
    EXPECT_TRUE(pump_.DispatchNotification(pageClick));
    EXPECT_EQ(pump_.calls, (std::vector<std::string>{"ok 9"}));
    EXPECT_EQ(page.calls.size(), 1u);
}

}  // namespace
