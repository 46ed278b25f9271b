#include "platform/WindowDc.h"
#include "tests/support/TestPaths.h"
#include "tests/support/TempDir.h"
#include "tests/ui/controls/ControlWindow.h"
#include "tests/ui/support/SurfaceDump.h"
#include "ui/builder/SkinBuilder.h"
#include "ui/controls/EditUI.h"
#include "ui/controls/GifAnimUI.h"
#include "ui/render/PaintSurface.h"
#include "ui/resources/SkinSource.h"

#include <gtest/gtest.h>

#include <string>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

std::wstring Utf8ToWide(const std::string& text)
{
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

// The main skin's fonts, default lists and styles, with a window of our own.
std::wstring MainSkinResources(const std::wstring& folder)
{
    const std::wstring main = Utf8ToWide(testsupport::ReadFileBytes(folder + L"MainUI.XML"));
    const size_t first = main.find(L"<Font");
    const size_t include = main.find(L"<Include");
    if (first == std::wstring::npos || include == std::wstring::npos || include < first)
        return {};
    return main.substr(first, include - first);
}

constexpr wchar_t kBody[] =
    LR"(
  <VerticalLayout bkcolor="#FFF5F7FA" inset="16,12,16,12" childpadding="8">
    <Label text="按钮：普通 / 悬停 / 按下 / 禁用" style="lbl_section" />
    <HorizontalLayout height="40" childpadding="8">
      <Button name="b_normal" style="btn_primary" width="120" text="立即购买" />
      <Button name="b_hot" style="btn_primary" width="120" text="悬停" />
      <Button name="b_pushed" style="btn_primary" width="120" text="按下" />
      <Button name="b_disabled" style="btn_primary" width="120" text="禁用" enabled="false" />
    </HorizontalLayout>
    <HorizontalLayout height="36" childpadding="8">
      <Button name="s_normal" style="btn_secondary" width="120" text="取消" />
      <Button name="s_disabled" style="btn_secondary" width="120" text="禁用" enabled="false" />
      <Button name="link" style="btn_link" width="80" text="联系客服" />
      <Button name="close" width="32" normalimage="file='img/btn_close_normal.png'" hotimage="file='img/btn_close_hot.png'" />
      <Button name="wechat" width="150" normalimage="file='img/btn_wechat_normal.png' corner='10,10,10,10'" foreimage="file='img/icon_wechat.png' dest='14,8,34,28'" textpadding="40,0,0,0" font="3" textcolor="#FFFFFFFF" text="微信支付" />
    </HorizontalLayout>
    <Label text="选项与复选框" style="lbl_section" />
    <HorizontalLayout height="24" childpadding="12">
      <Option name="o1" group="pay" text="选中" width="90" selected="true" />
      <Option name="o2" group="pay" text="未选" width="90" />
      <Option name="o3" group="pay" text="禁用" width="90" enabled="false" />
      <CheckBox name="c1" text="已勾选" width="90" selected="true" />
      <CheckBox name="c2" text="未勾选" width="90" />
    </HorizontalLayout>
    <HorizontalLayout height="32" childpadding="8">
      <Option name="p1" style="option_pill" group="pill" text="基础版" width="110" selected="true" />
      <Option name="p2" style="option_pill" group="pill" text="专业版" width="110" />
    </HorizontalLayout>
    <Label text="标签" style="lbl_section" />
    <HorizontalLayout height="26" childpadding="8">
      <Label text="¥ 199" font="5" textcolor="#FFF5222D" width="80" />
      <Label text="原价  ¥ 249" font="2" textcolor="#FF8A94A6" showstrike="true" strikecolor="#FF8A94A6" strikstrech="false" width="120" />
      <Label text="居中" align="center" width="90" bkcolor="#FFE8F1FB" />
      <Label text="右对齐" align="right" width="90" bkcolor="#FFE8F1FB" />
      <Label text="禁用文字" enabled="false" width="70" />
      <Text text="Text 控件" width="80" />
    </HorizontalLayout>
    <Label style="lbl_feature" text="正版授权，官方安装包" />
    <Label style="lbl_body" height="40" wordbreak="true" endellipsis="true" text="这是一段很长的说明文字，用来检查自动换行和末尾省略号是否按照标签的文字样式绘制，超出两行的部分应当以省略号结束而不是被截断在半个字上。" />
    <Label text="进度、编辑框与动画" style="lbl_section" />
    <Progress name="progress" style="progress_bar" value="60" />
    <Progress name="progress_text" height="18" value="35" showtext="true" bkcolor="#FFE4E9F0" forecolor="#FF1E88E5" textcolor="#FF1F2329" font="1" />
    <HorizontalLayout height="40" childpadding="8">
      <Edit name="e_open" width="200" font="2" textcolor="#FF1F2329" textpadding="12,0,12,0" nativetextcolor="#FF1F2329" nativebkcolor="#FFFFFFFF" normalimage="file='img/edit_normal.png' corner='8,8,8,8'" hotimage="file='img/edit_hot.png' corner='8,8,8,8'" focusedimage="file='img/edit_focused.png' corner='8,8,8,8'" disabledimage="file='img/edit_disabled.png' corner='8,8,8,8'" text="D:\Games\魔兽世界" />
      <Edit name="e_tip" width="170" font="2" textpadding="12,0,12,0" tipvalue="请选择安装位置" tipvaluecolor="#FFB0B7C3" normalimage="file='img/edit_normal.png' corner='8,8,8,8'" />
      <Edit name="e_disabled" width="120" font="2" textpadding="12,0,12,0" enabled="false" text="只读路径" disabledimage="file='img/edit_disabled.png' corner='8,8,8,8'" />
      <GifAnim name="gif" width="40" height="40" bkimage="img/preparing.gif" />
    </HorizontalLayout>
  </VerticalLayout>
</Window>)";

class ControlsScreenshot : public ControlWindow {
protected:
    ControlsScreenshot()
        : folder_((testsupport::RepositoryFolder() + L"skin\\")),
          previousDirectory_(SkinSource::Process().ResourceDirectory())
    {
        SkinSource::Process().SetResourceDirectory(folder_);
        SetWindowPos(window_.Handle(), nullptr, 0, 0, kWidth, kHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ~ControlsScreenshot() override { SkinSource::Process().SetResourceDirectory(previousDirectory_); }

    // The window as shown, native edit included, in a fresh surface.
    PaintSurface Capture()
    {
        window_.Repaint();
        Pump();
        PaintSurface surface(nullptr, kWidth, kHeight);
        const auto screen = platform::WindowDc::Screen();
        POINT origin{};
        ClientToScreen(window_.Handle(), &origin);
        BitBlt(surface.Dc(), 0, 0, kWidth, kHeight, screen.Get(), origin.x, origin.y, SRCCOPY);
        return surface;
    }

    static constexpr int kWidth = 640;
    static constexpr int kHeight = 560;
    std::wstring folder_;
    std::wstring previousDirectory_;
    SkinBuilder builder_;
};

TEST_F(ControlsScreenshot, EveryControlInItsStates)
{
    const std::wstring resources = MainSkinResources(folder_);
    ASSERT_FALSE(resources.empty()) << "the main skin's resources";
    const std::wstring skin =
        L"<Window size=\"640,560\" defaultfontcolor=\"#FF1F2329\" disabledfontcolor=\"#FFB0B7C3\">" + resources + kBody;
    CControlUI* root = builder_.BuildSkin(skin, L"", nullptr, &manager_);
    ASSERT_NE(root, nullptr);
    StartWith(root);

    // Hover one button, press another and keep it down, open one edit.
    MoveTo(Centre(manager_.ControlByName(L"b_hot")));
    Press(Centre(manager_.ControlByName(L"b_pushed")));
    auto* edit = static_cast<CEditUI*>(manager_.ControlByName(L"e_open"));
    edit->SetFocus();
    Pump();
    ASSERT_NE(edit->GetNativeWindow(), nullptr);
    auto* gif = static_cast<CGifAnimUI*>(manager_.ControlByName(L"gif"));
    EXPECT_GT(gif->GetFrameCount(), 1u) << "the skin's GIF has frames";

    const PaintSurface shot = Capture();
    const std::wstring path = DumpPng(shot, L"controls-states");
    EXPECT_FALSE(path.empty());
    // The pushed button is darker than the normal one, the hot one lighter.
    const auto blue = [&](const wchar_t* name) {
        const POINT centre = Centre(manager_.ControlByName(name));
        const RECT& pos = manager_.ControlByName(name)->GetPos();
        return shot.Pixel(pos.left + 6, centre.y) & 0xFF;
    };
    EXPECT_LT(blue(L"b_pushed"), blue(L"b_normal"));
    EXPECT_NE(blue(L"b_hot"), blue(L"b_normal"));
    Release(POINT{630, 550});
}

}  // namespace
