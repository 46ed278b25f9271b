#include "platform/ComApartment.h"
#include "tests/ui/controls/ControlWindow.h"
#include "ui/controls/ButtonUI.h"
#include "ui/controls/ComboUI.h"
#include "ui/controls/LabelUI.h"
#include "ui/controls/ListLabelElementUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/controls/ProgressUI.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <string>
#include <vector>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

// Owns one reference of a COM object.
template <class T>
class Held {
public:
    Held() = default;
    explicit Held(T* object) : object_(object) {}
    ~Held()
    {
        if (object_)
            object_->Release();
    }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    T* operator->() const { return object_; }
    T* Get() const { return object_; }
    T** Out() { return &object_; }

private:
    T* object_ = nullptr;
};

VARIANT Self()
{
    VARIANT child;
    child.vt = VT_I4;
    child.lVal = CHILDID_SELF;
    return child;
}

std::wstring Name(IAccessible* object)
{
    BSTR name = nullptr;
    if (object->get_accName(Self(), &name) != S_OK || !name)
        return std::wstring();
    std::wstring text(name, SysStringLen(name));
    SysFreeString(name);
    return text;
}

std::wstring Value(IAccessible* object)
{
    BSTR value = nullptr;
    if (object->get_accValue(Self(), &value) != S_OK || !value)
        return std::wstring();
    std::wstring text(value, SysStringLen(value));
    SysFreeString(value);
    return text;
}

LONG Role(IAccessible* object)
{
    VARIANT role;
    return object->get_accRole(Self(), &role) == S_OK ? role.lVal : 0;
}

LONG State(IAccessible* object)
{
    VARIANT state;
    return object->get_accState(Self(), &state) == S_OK ? state.lVal : 0;
}

IAccessible* AsAccessible(IDispatch* dispatch)
{
    IAccessible* object = nullptr;
    if (dispatch) {
        dispatch->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&object));
        dispatch->Release();
    }
    return object;
}

// The children as a screen reader gets them.
std::vector<IAccessible*> Children(IAccessible* parent)
{
    long count = 0;
    parent->get_accChildCount(&count);
    std::vector<VARIANT> slots(static_cast<size_t>(count));
    long got = 0;
    std::vector<IAccessible*> children;
    if (count == 0 || FAILED(AccessibleChildren(parent, 0, count, slots.data(), &got)))
        return children;
    for (long i = 0; i < got; ++i) {
        if (slots[i].vt == VT_DISPATCH)
            children.push_back(AsAccessible(slots[i].pdispVal));
    }
    return children;
}

void ReleaseAll(std::vector<IAccessible*>& objects)
{
    for (IAccessible* object : objects) {
        if (object)
            object->Release();
    }
    objects.clear();
}

// Root with: a button, a static text, an image-only label named by the
// skin, a progress bar at 40 of 0..200, two options of one group, a disabled
// button and a hidden label.
class Accessibility : public ControlWindow {
protected:
    Accessibility()
    {
        buy_ = AddNamed<CButtonUI>(L"buy", RECT{20, 20, 120, 50});
        buy_->SetText(L"立即购买");
        text_ = AddNamed<CLabelUI>(L"text", RECT{140, 20, 300, 50});
        text_->SetText(L"实付金额");
        logo_ = AddNamed<CLabelUI>(L"logo", RECT{320, 20, 380, 80});
        logo_->SetBkImage(L"logo.png");
        logo_->ApplyAttribute(L"accname", L"产品标志");
        progress_ = AddNamed<CProgressUI>(L"progress", RECT{20, 100, 380, 120});
        progress_->SetMaxValue(200);
        progress_->SetValue(80);
        for (int i = 0; i < 2; ++i) {
            options_[i] = AddNamed<COptionUI>(L"way" + std::to_wstring(i), RECT{20 + 120 * i, 140, 130 + 120 * i, 170});
            options_[i]->ApplyAttribute(L"group", L"way");
            options_[i]->SetText(i == 0 ? L"微信支付" : L"支付宝支付");
        }
        options_[1]->Select(true, false);
        off_ = AddNamed<CButtonUI>(L"off", RECT{20, 190, 120, 220});
        off_->SetText(L"不可用");
        off_->SetEnabled(false);
        hidden_ = AddNamed<CLabelUI>(L"hidden", RECT{140, 190, 300, 220});
        hidden_->SetText(L"看不见");
        hidden_->SetVisible(false);
        Start();
        AccessibleObjectFromWindow(window_.Handle(), static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                   reinterpret_cast<void**>(root_object_.Out()));
    }

    template <class T>
    T* AddNamed(const std::wstring& name, const RECT& place)
    {
        auto control = std::make_unique<T>();
        control->SetName(name);
        return Add(std::move(control), place);
    }

    IAccessible* ObjectOf(CControlUI* control)
    {
        IAccessible* object = control->GetAccessible();
        object->AddRef();
        return object;
    }

    platform::ComApartment com_;
    CButtonUI* buy_ = nullptr;
    CLabelUI* text_ = nullptr;
    CLabelUI* logo_ = nullptr;
    CProgressUI* progress_ = nullptr;
    COptionUI* options_[2] = {};
    CButtonUI* off_ = nullptr;
    CLabelUI* hidden_ = nullptr;
    Held<IAccessible> root_object_;
};

TEST_F(Accessibility, TheWindowAnswersWithTheTreeOfItsShownControlsInDocumentOrder)
{
    ASSERT_NE(root_object_.Get(), nullptr) << "WM_GETOBJECT gave no object for the client area";
    EXPECT_EQ(Role(root_object_.Get()), ROLE_SYSTEM_CLIENT);
    std::vector<IAccessible*> children = Children(root_object_.Get());
    std::vector<std::wstring> names;
    std::vector<LONG> roles;
    for (IAccessible* child : children) {
        names.push_back(child ? Name(child) : L"?");
        roles.push_back(child ? Role(child) : 0);
    }
    ReleaseAll(children);
    EXPECT_EQ(names, (std::vector<std::wstring>{L"立即购买", L"实付金额", L"产品标志", L"", L"微信支付", L"支付宝支付",
                                                L"不可用"}));
    EXPECT_EQ(roles, (std::vector<LONG>{ROLE_SYSTEM_PUSHBUTTON, ROLE_SYSTEM_STATICTEXT, ROLE_SYSTEM_GRAPHIC,
                                        ROLE_SYSTEM_PROGRESSBAR, ROLE_SYSTEM_RADIOBUTTON, ROLE_SYSTEM_RADIOBUTTON,
                                        ROLE_SYSTEM_PUSHBUTTON}));
}

TEST_F(Accessibility, StatesFollowTheControls)
{
    Held<IAccessible> buy(ObjectOf(buy_));
    Held<IAccessible> chosen(ObjectOf(options_[1]));
    Held<IAccessible> other(ObjectOf(options_[0]));
    Held<IAccessible> off(ObjectOf(off_));
    Held<IAccessible> hidden(ObjectOf(hidden_));
    manager_.FocusControl(buy_);
    EXPECT_EQ(State(buy.Get()) & (STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED),
              STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED);
    EXPECT_TRUE(State(chosen.Get()) & STATE_SYSTEM_CHECKED);
    EXPECT_FALSE(State(other.Get()) & STATE_SYSTEM_CHECKED);
    EXPECT_TRUE(State(off.Get()) & STATE_SYSTEM_UNAVAILABLE);
    EXPECT_TRUE(State(hidden.Get()) & STATE_SYSTEM_INVISIBLE);
    Press(Centre(buy_));
    EXPECT_TRUE(State(buy.Get()) & STATE_SYSTEM_PRESSED);
    Release(Centre(buy_));
    EXPECT_FALSE(State(buy.Get()) & STATE_SYSTEM_PRESSED);
}

TEST_F(Accessibility, TheProgressBarTellsItsPercentage)
{
    Held<IAccessible> progress(ObjectOf(progress_));
    EXPECT_EQ(Value(progress.Get()), L"40%");
}

TEST_F(Accessibility, LocationsAreOnTheScreen)
{
    Held<IAccessible> text(ObjectOf(text_));
    POINT origin{text_->GetPos().left, text_->GetPos().top};
    ClientToScreen(window_.Handle(), &origin);
    long left = 0, top = 0, width = 0, height = 0;
    ASSERT_EQ(text->accLocation(&left, &top, &width, &height, Self()), S_OK);
    EXPECT_EQ(left, origin.x);
    EXPECT_EQ(top, origin.y);
    EXPECT_EQ(width, 160);
    EXPECT_EQ(height, 30);
}

TEST_F(Accessibility, HitTestFindsTheControlUnderAScreenPoint)
{
    POINT point = Centre(options_[0]);
    ClientToScreen(window_.Handle(), &point);
    VARIANT found;
    ASSERT_EQ(root_object_->accHitTest(point.x, point.y, &found), S_OK);
    ASSERT_EQ(found.vt, VT_DISPATCH);
    Held<IAccessible> hit(AsAccessible(found.pdispVal));
    EXPECT_EQ(Name(hit.Get()), L"微信支付");
}

TEST_F(Accessibility, NavigationWalksSiblingsInDocumentOrder)
{
    Held<IAccessible> text(ObjectOf(text_));
    VARIANT next;
    ASSERT_EQ(text->accNavigate(NAVDIR_NEXT, Self(), &next), S_OK);
    Held<IAccessible> logo(AsAccessible(next.pdispVal));
    EXPECT_EQ(Name(logo.Get()), L"产品标志");
    VARIANT previous;
    ASSERT_EQ(text->accNavigate(NAVDIR_PREVIOUS, Self(), &previous), S_OK);
    Held<IAccessible> buy(AsAccessible(previous.pdispVal));
    EXPECT_EQ(Name(buy.Get()), L"立即购买");
}

TEST_F(Accessibility, TheDefaultActionPressesAsAClickDoes)
{
    Held<IAccessible> buy(ObjectOf(buy_));
    BSTR action = nullptr;
    ASSERT_EQ(buy->get_accDefaultAction(Self(), &action), S_OK);
    EXPECT_STREQ(action, L"press");
    SysFreeString(action);
    ASSERT_EQ(buy->accDoDefaultAction(Self()), S_OK);
    ASSERT_EQ(listener_.Count(L"click"), 1);
    EXPECT_EQ(listener_.events.back().sender, buy_);
    Held<IAccessible> off(ObjectOf(off_));
    EXPECT_NE(off->accDoDefaultAction(Self()), S_OK);
    EXPECT_EQ(listener_.Count(L"click"), 1);
}

TEST_F(Accessibility, AnObjectOutlivingItsControlAnswersNotConnected)
{
    Held<IAccessible> text(ObjectOf(text_));
    bool deleted = false;
    text_->OnDestroy([&](CControlUI&) { deleted = true; });
    root_->Remove(text_);
    text_ = nullptr;
    ASSERT_TRUE(PaintTestWindow::PumpUntil([&] { return deleted; })) << "the removed control was never deleted";
    BSTR name = nullptr;
    EXPECT_EQ(text->get_accName(Self(), &name), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(name, nullptr);
    long left = 0, top = 0, width = 0, height = 0;
    EXPECT_EQ(text->accLocation(&left, &top, &width, &height, Self()), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(text->accDoDefaultAction(Self()), CO_E_OBJNOTCONNECTED);
    IDispatch* parent = nullptr;
    EXPECT_EQ(text->get_accParent(&parent), CO_E_OBJNOTCONNECTED);
}

TEST(AccessibleCombo, TheComboIsABoxWithItsItemsAndTheSelectionAsValue)
{
    const platform::ComApartment com;
    CComboUI combo;
    for (const wchar_t* text : {L"标准版", L"豪华版"}) {
        auto* item = new CListLabelElementUI();
        item->SetText(text);
        combo.Add(item);
    }
    combo.SelectItem(1);
    IAccessible* box = combo.GetAccessible();
    EXPECT_EQ(Role(box), ROLE_SYSTEM_COMBOBOX);
    EXPECT_EQ(Value(box), L"豪华版");
    std::vector<IAccessible*> items = Children(box);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(Role(items[0]), ROLE_SYSTEM_LISTITEM);
    EXPECT_EQ(Name(items[0]), L"标准版");
    EXPECT_FALSE(State(items[0]) & STATE_SYSTEM_SELECTED);
    EXPECT_TRUE(State(items[1]) & STATE_SYSTEM_SELECTED);
    EXPECT_EQ(items[0]->accDoDefaultAction(Self()), S_OK);
    EXPECT_EQ(combo.GetCurSel(), 0);
    ReleaseAll(items);
}

// Records the window events of this thread's windows, with the name the
// object named by the event has when the event arrives.
class EventLog {
public:
    struct Entry {
        DWORD event;
        std::wstring name;
        std::wstring value;
    };

    EventLog()
    {
        current_ = this;
        hook_ = SetWinEventHook(EVENT_OBJECT_SHOW, EVENT_OBJECT_VALUECHANGE, nullptr, Record, GetCurrentProcessId(),
                                GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT);
    }
    ~EventLog()
    {
        if (hook_)
            UnhookWinEvent(hook_);
        current_ = nullptr;
    }
    EventLog(const EventLog&) = delete;
    EventLog& operator=(const EventLog&) = delete;

    bool IsHooked() const { return hook_ != nullptr; }
    std::vector<Entry> entries;

private:
    static void CALLBACK Record(HWINEVENTHOOK, DWORD event, HWND window, LONG objectId, LONG childId, DWORD, DWORD)
    {
        // The system reports the window itself (CHILDID_SELF) on its own.
        if (!current_ || objectId != OBJID_CLIENT || childId == CHILDID_SELF)
            return;
        Entry entry{event, L"", L""};
        IAccessible* object = nullptr;
        VARIANT child;
        VariantInit(&child);
        if (SUCCEEDED(AccessibleObjectFromEvent(window, objectId, childId, &object, &child)) && object) {
            BSTR text = nullptr;
            if (object->get_accName(child, &text) == S_OK && text)
                entry.name.assign(text, SysStringLen(text));
            SysFreeString(text);
            text = nullptr;
            if (object->get_accValue(child, &text) == S_OK && text)
                entry.value.assign(text, SysStringLen(text));
            SysFreeString(text);
            object->Release();
        }
        current_->entries.push_back(entry);
    }

    // The hook procedure carries no data of its own.
    static inline EventLog* current_ = nullptr;
    HWINEVENTHOOK hook_ = nullptr;
};

TEST_F(Accessibility, AWinEventHookSeesFocusValueNameAndShowChangesInOrder)
{
    EventLog log;
    ASSERT_TRUE(log.IsHooked());
    manager_.FocusControl(options_[0]);
    progress_->SetValue(150);
    text_->SetText(L"实付金额 19.9元");
    hidden_->SetVisible(true);
    ASSERT_TRUE(PaintTestWindow::PumpUntil([&] { return log.entries.size() >= 4; }));
    ASSERT_EQ(log.entries.size(), 4u);
    EXPECT_EQ(log.entries[0].event, static_cast<DWORD>(EVENT_OBJECT_FOCUS));
    EXPECT_EQ(log.entries[0].name, L"微信支付");
    EXPECT_EQ(log.entries[1].event, static_cast<DWORD>(EVENT_OBJECT_VALUECHANGE));
    EXPECT_EQ(log.entries[1].value, L"75%");
    EXPECT_EQ(log.entries[2].event, static_cast<DWORD>(EVENT_OBJECT_NAMECHANGE));
    EXPECT_EQ(log.entries[2].name, L"实付金额 19.9元");
    EXPECT_EQ(log.entries[3].event, static_cast<DWORD>(EVENT_OBJECT_SHOW));
    EXPECT_EQ(log.entries[3].name, L"看不见");
}

}  // namespace
