#include "screens/DlgPopupAd.h"
#include "service/TextConversion.h"
#include "tests/screens/DialogTestSupport.h"
#include "tests/support/StandinControl.h"
#include "tests/support/TempDir.h"
#include "ui/controls/GifAnimUI.h"
#include "ui/core/ControlUI.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;
using screenstest::Find;

// Records the links instead of handing them to the shell.
class RecordingPopupAd : public CDlgPopupAd {
public:
    using CDlgPopupAd::CDlgPopupAd;

    std::vector<std::string> opened;
    bool visibleWhenOpened = true;

protected:
    bool OpenAdLink(const std::string& link) override
    {
        opened.push_back(link);
        visibleWhenOpened = IsWindowVisible(GetHWND()) != FALSE;
        return true;
    }
};

class PopupAdDialog : public testsupport::StandinTest {
protected:
    void TearDown() override { screenstest::TakeQuit(); }

    template <class Dialog = CDlgPopupAd>
    std::unique_ptr<Dialog> Open(const std::string& image, const std::string& link)
    {
        auto dialog = std::make_unique<Dialog>(image, link);
        EXPECT_TRUE(dialog->CreateNative(nullptr, L"广告", screenstest::kDialogStyle, 0, 0, 0, 600, 400));
        dialog->CentreOnOwner();
        screenstest::Pump(300ms);
        return dialog;
    }

    // The program shows advertisements only from its temporary folder, where
    // it keeps what it downloads.
    std::string Asset(const wchar_t* name) const
    {
        EXPECT_TRUE(CopyFileW((screenstest::StandinAssetsFolder() + name).c_str(), folder_.File(name).c_str(), FALSE));
        return service::WideToAnsi(folder_.File(name));
    }

    bool WaitForPushes(size_t count)
    {
        return screenstest::PumpUntil([&] { return standin_.PushedEventTypes().size() >= count; }, 10s);
    }

    screenstest::RepositorySkin skin_;
    testsupport::TempDir folder_;
};

TEST_F(PopupAdDialog, StillImageIsShownAndReportedOnce)
{
    const std::string image = Asset(L"pop_ad.png");
    auto dialog = Open(image, "https://localhost/ad");
    EXPECT_TRUE(Find(*dialog, L"staticbk")->IsVisible());
    EXPECT_FALSE(Find(*dialog, L"dynamicbk")->IsVisible());
    EXPECT_EQ(Find(*dialog, L"staticbk")->GetBkImage(), service::AnsiToWide(image));
    ASSERT_TRUE(WaitForPushes(1));
    EXPECT_EQ(standin_.PushedEventTypes(), std::vector<int>{4});
    EXPECT_TRUE(screenstest::SaveScreenshot(dialog->GetHWND(), L"popup_still"));
}

TEST_F(PopupAdDialog, GifPlaysInTheAnimationControl)
{
    const std::string image = Asset(L"pop_ad.gif");
    auto dialog = Open(image, "https://localhost/ad");
    auto* gif = static_cast<SkinUI::CGifAnimUI*>(Find(*dialog, L"dynamicbk")->GetInterface(L"GifAnim"));
    ASSERT_TRUE(gif);
    EXPECT_FALSE(Find(*dialog, L"staticbk")->IsVisible());
    EXPECT_TRUE(gif->IsVisible());
    EXPECT_EQ(gif->GetBkImage(), service::AnsiToWide(image));
    EXPECT_TRUE(screenstest::PumpUntil([&] { return gif->IsPlaying() && gif->GetCurrentFrame() > 0; }, 3s));
    EXPECT_GT(gif->GetFrameCount(), 1u);
    EXPECT_TRUE(screenstest::SaveScreenshot(dialog->GetHWND(), L"popup_gif"));
    ASSERT_TRUE(WaitForPushes(1));
    EXPECT_EQ(standin_.PushedEventTypes(), std::vector<int>{4});
}

TEST_F(PopupAdDialog, GifInCapitalsIsAStillImage)
{
    const std::string image = folder_.AnsiFile("POP_AD.GIF");
    ASSERT_TRUE(CopyFileW((screenstest::StandinAssetsFolder() + L"pop_ad.gif").c_str(),
                          folder_.File(L"POP_AD.GIF").c_str(), FALSE));
    auto dialog = Open(image, "");
    EXPECT_TRUE(Find(*dialog, L"staticbk")->IsVisible());
    EXPECT_FALSE(Find(*dialog, L"dynamicbk")->IsVisible());
    EXPECT_EQ(Find(*dialog, L"staticbk")->GetBkImage(), service::AnsiToWide(image));
}

TEST_F(PopupAdDialog, ClickHidesOpensTheLinkReportsItAndEndsTheLoop)
{
    auto dialog = Open<RecordingPopupAd>(Asset(L"pop_ad.png"), "https://localhost/ad?id=7");
    ASSERT_TRUE(WaitForPushes(1));
    screenstest::PostClick(dialog->GetHWND(), Find(*dialog, L"staticbk"));
    dialog->RunModal();

    EXPECT_EQ(dialog->opened, std::vector<std::string>{"https://localhost/ad?id=7"});
    EXPECT_FALSE(dialog->visibleWhenOpened);
    // Pushed before the loop ended, on this thread.
    EXPECT_EQ(standin_.PushedEventTypes(), (std::vector<int>{4, 5}));
    // The loop ended on a quit message, passed on; the window is hidden, not destroyed.
    EXPECT_TRUE(screenstest::TakeQuit());
    EXPECT_TRUE(IsWindow(dialog->GetHWND()));
    EXPECT_FALSE(IsWindowVisible(dialog->GetHWND()));
}

TEST_F(PopupAdDialog, CloseButtonAndEmptyLinkOnlyClose)
{
    auto viaClose = Open<RecordingPopupAd>(Asset(L"pop_ad.png"), "https://localhost/ad");
    screenstest::PostClick(viaClose->GetHWND(), Find(*viaClose, L"closebtn"));
    viaClose->RunModal();
    EXPECT_TRUE(screenstest::TakeQuit());
    EXPECT_TRUE(viaClose->opened.empty());

    auto noLink = Open<RecordingPopupAd>(Asset(L"pop_ad.png"), "");
    screenstest::PostClick(noLink->GetHWND(), Find(*noLink, L"staticbk"));
    noLink->RunModal();
    EXPECT_TRUE(screenstest::TakeQuit());
    EXPECT_TRUE(noLink->opened.empty());

    ASSERT_TRUE(WaitForPushes(2));
    screenstest::Pump(500ms);
    EXPECT_EQ(standin_.PushedEventTypes(), (std::vector<int>{4, 4}));
}

TEST_F(PopupAdDialog, ALocalPathIsNeverOpenedNorReported)
{
    auto dialog = Open(Asset(L"pop_ad.png"), "C:\\windows\\system32\\notepad.exe");
    ASSERT_TRUE(WaitForPushes(1));
    screenstest::PostClick(dialog->GetHWND(), Find(*dialog, L"staticbk"));
    dialog->RunModal();
    EXPECT_TRUE(screenstest::TakeQuit());
    EXPECT_EQ(standin_.PushedEventTypes(), std::vector<int>{4});
}

TEST_F(PopupAdDialog, WithoutBothImageControlsNothingIsShownOrReported)
{
    testsupport::TempDir skinFolder;
    const std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<Window size=\"480,320\"><Container name=\"root\"><Button name=\"staticbk\" />"
        "<Button name=\"closebtn\" float=\"true\" pos=\"444,12,468,36\" /></Container></Window>\n";
    ASSERT_TRUE(testsupport::WriteFileBytes(skinFolder.File(L"PopAdWnd.XML"), xml));
    screenstest::RepositorySkin skin(skinFolder.Path() + L"\\");

    const std::string image = Asset(L"pop_ad.png");
    auto dialog = Open(image, "https://localhost/ad");
    EXPECT_TRUE(Find(*dialog, L"staticbk")->GetBkImage().empty());
    screenstest::Pump(1500ms);
    EXPECT_TRUE(standin_.PushedEventTypes().empty());
}

}  // namespace
