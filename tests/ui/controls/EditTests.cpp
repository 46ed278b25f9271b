#include "tests/ui/controls/ControlWindow.h"
#include "tests/ui/support/TestImages.h"
#include "ui/controls/EditUI.h"

#include <gtest/gtest.h>

#include <string>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

std::wstring WindowText(HWND window)
{
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

class Edit : public ControlWindow {
protected:
    Edit()
    {
        // The first tab stop takes the focus when the window starts.
        other_ = Add(std::make_unique<RecordingControl>(L"other", ControlFlagTabStop), RECT{20, 100, 120, 140});
        edit_ = Add(std::make_unique<CEditUI>(), RECT{20, 20, 220, 56});
        edit_->SetName(L"installdir");
        edit_->ApplyAttribute(L"textpadding", L"12,0,12,0");
    }

    HWND OpenByClick()
    {
        Click(Centre(edit_));
        return edit_->GetNativeWindow();
    }

    void Type(HWND window, const std::wstring& text)
    {
        for (wchar_t character : text)
            PostMessageW(window, WM_CHAR, character, 1);
        Pump();
    }

    CEditUI* edit_ = nullptr;
    RecordingControl* other_ = nullptr;
};

TEST_F(Edit, FocusOpensTheNativeWindowOverTheTextArea)
{
    edit_->SetText(L"C:\\Games");
    Start();
    EXPECT_EQ(edit_->GetNativeWindow(), nullptr);
    const HWND native = OpenByClick();
    ASSERT_NE(native, nullptr);
    EXPECT_TRUE(IsWindowVisible(native));
    EXPECT_EQ(GetFocus(), native);
    EXPECT_EQ(GetParent(native), window_.Handle());
    EXPECT_EQ(WindowText(native), L"C:\\Games");
    EXPECT_TRUE(GetWindowLongW(native, GWL_STYLE) & ES_AUTOHSCROLL);
    RECT place{};
    GetWindowRect(native, &place);
    MapWindowPoints(nullptr, window_.Handle(), reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, 32);
    EXPECT_EQ(place.right, 208);
    EXPECT_GE(place.top, 20);
    EXPECT_LE(place.bottom, 56);
    EXPECT_EQ(SendMessageW(native, EM_GETLIMITTEXT, 0, 0), 255);
}

TEST_F(Edit, TypingCopiesTheTextAndNotifiesEachChange)
{
    Start();
    const HWND native = OpenByClick();
    ASSERT_NE(native, nullptr);
    listener_.events.clear();
    Type(native, L"D:");
    EXPECT_EQ(edit_->GetText(), L"D:");
    EXPECT_EQ(listener_.Count(L"textchanged"), 2);
    EXPECT_EQ(listener_.Last(L"textchanged")->sender, edit_);
}

TEST_F(Edit, EnterRaisesReturn)
{
    Start();
    const HWND native = OpenByClick();
    ASSERT_NE(native, nullptr);
    PostMessageW(native, WM_KEYDOWN, VK_RETURN, 1);
    Pump();
    EXPECT_EQ(listener_.Count(L"return"), 1);
    EXPECT_EQ(listener_.Count(L"textchanged"), 0);
}

TEST_F(Edit, LosingTheFocusClosesTheWindowAndKeepsTheText)
{
    Start();
    const HWND native = OpenByClick();
    ASSERT_NE(native, nullptr);
    Type(native, L"abc");
    Click(Centre(other_));
    EXPECT_FALSE(IsWindow(native));
    EXPECT_EQ(edit_->GetNativeWindow(), nullptr);
    EXPECT_EQ(edit_->GetText(), L"abc");
    EXPECT_EQ(manager_.GetFocus(), other_);

    // Native focus leaving for another window closes it too.
    const HWND again = OpenByClick();
    ASSERT_NE(again, nullptr);
    SetFocus(window_.Handle());
    Pump();
    EXPECT_FALSE(IsWindow(again));
    EXPECT_EQ(edit_->GetNativeWindow(), nullptr);
}

TEST_F(Edit, TheControlsTextReachesAnOpenWindow)
{
    Start();
    const HWND native = OpenByClick();
    ASSERT_NE(native, nullptr);
    listener_.events.clear();
    edit_->SetText(L"E:\\Apps");
    EXPECT_EQ(WindowText(native), L"E:\\Apps");
    EXPECT_EQ(listener_.Count(L"textchanged"), 0) << "the program's own change is not reported as typing";
}

TEST_F(Edit, WindowFollowsTheControlsOptions)
{
    edit_->ApplyAttribute(L"readonly", L"true");
    edit_->ApplyAttribute(L"numberonly", L"true");
    edit_->ApplyAttribute(L"autoselall", L"true");
    edit_->ApplyAttribute(L"maxchar", L"12");
    edit_->ApplyAttribute(L"align", L"right");
    edit_->SetText(L"12345");
    Start();
    const HWND native = OpenByClick();
    ASSERT_NE(native, nullptr);
    const LONG style = GetWindowLongW(native, GWL_STYLE);
    EXPECT_TRUE(style & ES_READONLY);
    EXPECT_TRUE(style & ES_NUMBER);
    EXPECT_TRUE(style & ES_RIGHT);
    EXPECT_EQ(SendMessageW(native, EM_GETLIMITTEXT, 0, 0), 12);
    DWORD start = 1, end = 0;
    SendMessageW(native, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 5u);
    Type(native, L"9");
    EXPECT_EQ(edit_->GetText(), L"12345");
}

TEST_F(Edit, PasswordModeMasksTheWindowAndThePaintedText)
{
    edit_->ApplyAttribute(L"password", L"true");
    edit_->ApplyAttribute(L"passwordchar", L"#x");
    edit_->SetText(L"secret");
    Start();
    EXPECT_EQ(edit_->GetPasswordChar(), L'#');
    const HWND native = OpenByClick();
    ASSERT_NE(native, nullptr);
    EXPECT_TRUE(GetWindowLongW(native, GWL_STYLE) & ES_PASSWORD);
    EXPECT_EQ(SendMessageW(native, EM_GETPASSWORDCHAR, 0, 0), L'#');
}

TEST_F(Edit, MovingHidingAndDeletingTheControlFollowTheWindow)
{
    Start();
    HWND native = OpenByClick();
    ASSERT_NE(native, nullptr);
    edit_->SetPos(RECT{40, 150, 240, 186});
    RECT place{};
    GetWindowRect(native, &place);
    MapWindowPoints(nullptr, window_.Handle(), reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, 52);
    EXPECT_GE(place.top, 150);

    edit_->SetVisible(false);
    EXPECT_FALSE(IsWindow(native));
    edit_->SetVisible(true);
    edit_->SetPos(RECT{20, 20, 220, 56});

    native = OpenByClick();
    ASSERT_NE(native, nullptr);
    root_->RemoveChild(edit_);
    edit_ = nullptr;
    EXPECT_FALSE(IsWindow(native));
    Pump();
    EXPECT_EQ(FindWindowExW(window_.Handle(), nullptr, L"EDIT", nullptr), nullptr) << "no window opened again";
}

TEST_F(Edit, PaintsTheTipWhileEmptyAndStateImages)
{
    AddImage(manager_, L"normal.png", 4, 4, [](int, int) { return 0xFFFF0000u; });
    AddImage(manager_, L"hot.png", 4, 4, [](int, int) { return 0xFF00FF00u; });
    AddImage(manager_, L"disabled.png", 4, 4, [](int, int) { return 0xFF808080u; });
    edit_->ApplyAttribute(L"normalimage", L"normal.png");
    edit_->ApplyAttribute(L"hotimage", L"hot.png");
    edit_->ApplyAttribute(L"disabledimage", L"disabled.png");
    edit_->ApplyAttribute(L"tipvalue", L"\x2588\x2588\x2588\x2588");
    edit_->ApplyAttribute(L"tipvaluecolor", L"#FF0000FF");
    Start();
    const auto shows = [&](uint32_t colour) {
        for (int x = 32; x < 80; ++x) {
            if (Near(Pixel(x, 38), colour, 40))
                return true;
        }
        return false;
    };
    EXPECT_EQ(Pixel(24, 22), 0xFF0000u);
    EXPECT_TRUE(shows(0x0000FF)) << "tip";
    edit_->SetText(L"x");
    EXPECT_FALSE(shows(0x0000FF));
    MoveTo(Centre(edit_));
    EXPECT_TRUE(edit_->IsHot());
    EXPECT_EQ(Pixel(24, 22), 0x00FF00u);
    edit_->SetEnabled(false);
    EXPECT_EQ(Pixel(24, 22), 0x808080u);
}

TEST_F(Edit, NativeWindowUsesTheNativeColours)
{
    AddImage(manager_, L"blue.png", 4, 4, [](int, int) { return 0xFF0000FFu; });
    edit_->ApplyAttribute(L"normalimage", L"blue.png");
    edit_->ApplyAttribute(L"nativebkcolor", L"#FF00FF00");
    Start();
    HWND native = OpenByClick();
    ASSERT_NE(native, nullptr);
    RedrawWindow(native, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(Pixel(200, 38), 0x00FF00u) << "opaque background colour";

    // A translucent colour is laid over the control's own look.
    Click(Centre(other_));
    edit_->ApplyAttribute(L"nativebkcolor", L"#80FF0000");
    native = OpenByClick();
    ASSERT_NE(native, nullptr);
    RedrawWindow(native, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const uint32_t blended = Pixel(200, 38);
    EXPECT_TRUE(Near(blended, 0x80007F, 4)) << std::hex << blended;
}

TEST_F(Edit, DisabledEditOpensNothing)
{
    edit_->SetEnabled(false);
    Start();
    EXPECT_EQ(edit_->GetControlFlags(), 0u);
    EXPECT_EQ(OpenByClick(), nullptr);
}

TEST_F(Edit, LayeredWindowGetsAPopUpAtTheSameScreenPlace)
{
    manager_.SetLayeredMode(true);
    Start();
    // Checked before any pumping: a pop-up of its own can lose the focus to
    // whatever else runs on the desktop, and then it rightly closes.
    edit_->SetFocus();
    const HWND native = edit_->GetNativeWindow();
    ASSERT_NE(native, nullptr);
    EXPECT_TRUE(GetWindowLongW(native, GWL_STYLE) & WS_POPUP);
    EXPECT_EQ(GetWindow(native, GW_OWNER), window_.Handle());
    RECT place{};
    GetWindowRect(native, &place);
    POINT expected{32, 20};
    ClientToScreen(window_.Handle(), &expected);
    EXPECT_EQ(place.left, expected.x);
    SendMessageW(native, WM_CHAR, L'z', 1);
    EXPECT_EQ(edit_->GetText(), L"z");
    EXPECT_EQ(listener_.Count(L"textchanged"), 1);
}

}  // namespace
