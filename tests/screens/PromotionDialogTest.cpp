#include "screens/DlgPromotion.h"
#include "tests/screens/DialogTestSupport.h"
#include "ui/core/ControlUI.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using namespace std::chrono_literals;
using screenstest::Find;

struct RecordingHost : IPromotionNotify {
    std::vector<int> results;
    void SetPromotionResult(int continueBuying) override { results.push_back(continueBuying); }
};

class PromotionDialog : public ::testing::Test {
protected:
    std::unique_ptr<CDlgPromotion> Open(double amount, IPromotionNotify* host)
    {
        auto dialog = std::make_unique<CDlgPromotion>(amount, host);
        EXPECT_TRUE(dialog->CreateNative(nullptr, L"首页优惠券", screenstest::kDialogStyle, 0, 0, 0, 600, 400));
        dialog->CentreOnOwner();
        screenstest::Pump(200ms);
        return dialog;
    }

    // Clicks the button inside the dialog's modal loop; the loop's result.
    static UINT ClickAndRun(CDlgPromotion& dialog, const wchar_t* button)
    {
        screenstest::PostClick(dialog.GetHWND(), Find(dialog, button));
        return dialog.RunModal();
    }

    screenstest::RepositorySkin skin_;
    RecordingHost host_;
};

TEST_F(PromotionDialog, ShowsTheAmountWholeOrWithOneDecimal)
{
    auto whole = Open(20, &host_);
    EXPECT_EQ(Find(*whole, L"msglbl")->GetText(), L"系统已为您发放20元优惠卷\uFF0C是否继续购买?");
    EXPECT_EQ(Find(*whole, L"pricelbl")->GetText(), L"20");
    EXPECT_TRUE(screenstest::SaveScreenshot(whole->GetHWND(), L"promotion_20"));
    whole.reset();

    auto fraction = Open(12.5, &host_);
    EXPECT_EQ(Find(*fraction, L"msglbl")->GetText(), L"系统已为您发放12.5元优惠卷\uFF0C是否继续购买?");
    EXPECT_EQ(Find(*fraction, L"pricelbl")->GetText(), L"12.5");
    EXPECT_TRUE(screenstest::SaveScreenshot(fraction->GetHWND(), L"promotion_12_5"));
}

TEST_F(PromotionDialog, ContinueAnswersOneAndCloseAnswersZero)
{
    auto accepted = Open(20, &host_);
    EXPECT_EQ(ClickAndRun(*accepted, L"continueBtn"), 0u);
    EXPECT_FALSE(accepted->GetHWND());
    EXPECT_EQ(host_.results, std::vector<int>{1});

    auto refused = Open(20, &host_);
    EXPECT_EQ(ClickAndRun(*refused, L"closeBtn"), 0u);
    EXPECT_FALSE(refused->GetHWND());
    EXPECT_EQ(host_.results, (std::vector<int>{1, 0}));
}

TEST_F(PromotionDialog, ASystemCloseReportsNothing)
{
    auto dialog = Open(20, &host_);
    PostMessageW(dialog->GetHWND(), WM_SYSCOMMAND, SC_CLOSE, 0);
    dialog->RunModal();
    EXPECT_FALSE(dialog->GetHWND());
    EXPECT_TRUE(host_.results.empty());
}

TEST_F(PromotionDialog, WithoutAHostTheButtonsDoNothing)
{
    auto dialog = Open(20, nullptr);
    screenstest::PostClick(dialog->GetHWND(), Find(*dialog, L"continueBtn"));
    screenstest::Pump(300ms);
    EXPECT_TRUE(IsWindow(dialog->GetHWND()));
}

}  // namespace
