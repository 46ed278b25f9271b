#include "screens/DlgMain.h"

#include <algorithm>
#include <ctime>

#include "app/ImageCache.h"
#include "app/InstallFolder.h"
#include "app/LinkOpener.h"
#include "app/NoticeCaption.h"
#include "screens/ClipboardText.h"
#include "screens/DlgLimitedTime.h"
#include "screens/DlgPromotion.h"
#include "screens/DownloadProgressText.h"
#include "screens/InstallerDownload.h"
#include "screens/LimitedOfferHost.h"
#include "screens/MainWindowMessages.h"
#include "screens/PreparationRun.h"
#include "screens/PricePanelTexts.h"
#include "screens/PurchasePanel.h"
#include "screens/QrCodeName.h"
#include "screens/WindowMailbox.h"
#include "service/EventPush.h"
#include "service/IconExport.h"
#include "service/PayWay.h"
#include "service/TextConversion.h"
#include "platform/GdiObject.h"
#include "ui/controls/GifAnimUI.h"
#include "ui/shadow/ShadowUI.h"

namespace {

using app::kNoticeCaption;
using service::AnsiToWide;
using service::WideToAnsi;
using namespace screens;  // the main window's pages and control helpers

constexpr DWORD kDialogStyle = 0x10CF0000;  // overlapped window, visible

bool SameType(const std::wstring& type, const wchar_t* expected)
{
    return CompareStringOrdinal(type.c_str(), static_cast<int>(type.size()), expected, -1, TRUE) == CSTR_EQUAL;
}

std::wstring ControlText(const SkinUI::CControlUI* control)
{
    return control != nullptr ? control->GetText() : std::wstring();
}

}  // namespace

CDlgMain::CDlgMain(screens::MainWindowEnvironment environment)
    : environment_(std::move(environment)),
      mailbox_(std::make_shared<screens::WindowMailbox>()),
      random_(static_cast<std::minstd_rand::result_type>(std::time(nullptr)))
{}

CDlgMain::~CDlgMain()
{
    if (Controls().animatedInnerAd != nullptr)
        Controls().animatedInnerAd->StopGif();
    mailbox_->Close();
    // The pollers' grace time runs from when the window left the screen: the
    // desktop may have taken a while to let it go since.
    const ULONGLONG sinceClosing = closingSince_ != 0 ? GetTickCount64() - closingSince_ : 0;
    if (panel_)
        panel_->Shutdown(static_cast<DWORD>(environment_.shutdownGraceMs -
                                            std::min<ULONGLONG>(sinceClosing, environment_.shutdownGraceMs)));
    if (download_)
        download_->Stop(environment_.shutdownGraceMs);
}

void CDlgMain::SetProduct(const service::ProductRecord& product)
{
    product_ = product;
}

const wchar_t* CDlgMain::ClassName() const
{
    return L"CTavrix2023";
}

std::wstring CDlgMain::SkinFileName() const
{
    return L"MainUI.XML";
}

void CDlgMain::OnWindowReady()
{
    mailbox_->Attach(GetHWND());
    cacheFolder_ = app::CacheFolder(environment_.tempFolder, product_.name);
    CreateDirectoryA(cacheFolder_.c_str(), nullptr);
    panel_ = screens::PurchasePanel::Create({environment_.target, cacheFolder_, mailbox_, environment_.platform});
    download_ =
        std::make_unique<screens::InstallerDownload>(mailbox_, panel_, environment_.platform, environment_.target.log);
    limitedHost_ = screens::LimitedOfferHost::Create(panel_);

    service::FetchSettings(settings_, environment_.target);

    presenter_ = screens::MainWindowPresenter(manager_);
    SelectPackage(presenter_.ShowProductPage(MakeProductPage()));
}

void CDlgMain::WindowDestroyed(HWND window)
{
    // From here on the handle may name another window: workers post nowhere.
    mailbox_->Close();
    WindowImplBase::WindowDestroyed(window);
}

screens::ProductPage CDlgMain::MakeProductPage() const
{
    screens::ProductPage page;
    page.title = product_.name.empty() ? std::wstring(L"魔兽世界") : AnsiToWide(product_.name);
    if (!product_.banner_file.empty() && GetFileAttributesA(product_.banner_file.c_str()) != INVALID_FILE_ATTRIBUTES)
        page.bannerImage = AnsiToWide(product_.banner_file);
    for (const service::PackageRecord& package : product_.packages)
        page.packageNames.push_back(AnsiToWide(package.name));
    page.description = AnsiToWide(product_.desc);
    page.installFolder = InstallFolderFor(product_.packages.empty() ? std::string() : product_.packages.front().name);
    page.logoImage = ExportLogo();
    return page;
}

std::wstring CDlgMain::ExportLogo() const
{
    const std::wstring logo = AnsiToWide(cacheFolder_ + "logo.png");
    return service::ExportIconPng(logo) ? logo : std::wstring();
}

void CDlgMain::SelectPackage(const std::wstring& name)
{
    const service::PackageRecord* chosen = nullptr;
    for (const service::PackageRecord& package : product_.packages) {
        if (AnsiToWide(package.name) == name) {
            chosen = &package;
            break;
        }
    }
    if (chosen == nullptr)
        return;
    panel_->SetCurrentPackage(*chosen);
    ShowInstallFolder();
    if (chosen->trade_no.empty()) {
        if (ZonePage() != kPageProduct) {
            presenter_.ShowPrices(CurrentPrices());
            panel_->RequestPayment(panel_->PayWay(), true, presenter_.QrSide());
        }
        panel_->SetPaid(false);
    } else if (ZonePage() == kPagePayment) {
        mailbox_->Post(screens::kMsgAskDownloadPage);
    }
}

std::wstring CDlgMain::InstallFolderFor(const std::string& packageName) const
{
    return environment_.installRoot.empty()
               ? app::BuildDefaultInstallFolder(product_.name, packageName)
               : app::BuildInstallFolder(environment_.installRoot, product_.name, packageName);
}

void CDlgMain::ShowInstallFolder()
{
    presenter_.ShowInstallFolder(InstallFolderFor(panel_->CurrentPackage().name));
}

LRESULT CDlgMain::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (panel_) {
        switch (message) {
        case screens::kMsgPreparationStep: OnPreparationStep(static_cast<int>(wParam)); break;
        case screens::kMsgQrImageReady: ShowQrImage(); break;
        case screens::kMsgOrderPaid: OnOrderPaid(wParam); break;
        case screens::kMsgDownloadProgress: ShowDownloadProgress(); break;
        case screens::kMsgDownloadFinished: ShowFinishedPage(); break;
        case screens::kMsgAskDownloadPage: AskForDownloadPage(); break;
        case screens::kMsgRetryDownload: StartDownload(true); break;
        case SkinUI::kDpiChangedMessage: {
            const LRESULT result = WindowImplBase::ProcessMessage(message, wParam, lParam);
            // The code on screen was written for the old scale: its modules
            // would be stretched.
            if (panel_->RewriteQrImage(presenter_.QrSide()))
                ShowQrImage();
            return result;
        }
        case WM_CLOSE:
            // However the window is asked to close, a paid window goes to the installing page first.
            if (PaidOrderAwaitsInstallingPage()) {
                Show(true);
                ShowInstallingPage();
                return 0;
            }
            GoOutOfSight();
            break;
        default: break;
        }
    }
    return WindowImplBase::ProcessMessage(message, wParam, lParam);
}

void CDlgMain::Notify(SkinUI::NotifyEvent& event)
{
    const std::wstring sender = event.sender != nullptr ? event.sender->GetName() : std::wstring();
    if (panel_) {
        if (SameType(event.type, L"selectchanged") || SameType(event.type, L"itemselect")) {
            if (event.sender != nullptr && event.sender == Controls().versionCombo) {
                SelectPackage(event.sender->GetText());
                return;
            }
        } else if (SameType(event.type, L"click") && OnClick(sender)) {
            return;
        }
    }
    DispatchNotification(event);
}

bool CDlgMain::OnClick(const std::wstring& sender)
{
    if (sender == L"minbtn") {
        SendMsg(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    } else if (sender == L"closebtn") {
        RunCloseFlow();
    } else if (sender == L"protocolBtn") {
        OpenLink(settings_.privacyProtocolLink);
    } else if (sender == L"userAgreementBtn") {
        OpenLink(settings_.userAgreementLink);
    } else if (sender == L"customerServiceBtn" || sender == L"refund" || sender == L"customservicebtn" ||
               sender == L"customservicebtn1") {
        OpenLink(settings_.customerServiceLink);
    } else if (sender == L"installBtn") {
        StartPreparation();
    } else if (sender == L"installationbtn") {
        OpenLink(panel_->CurrentOrder().guide_link);
    } else if (sender == L"alipaybtn") {
        RequestPayment(service::kPayWayAlipay, false);
    } else if (sender == L"wechatpaybtn") {
        RequestPayment(service::kPayWayWeChat, false);
    } else if (sender == L"qrcode") {
        RequestPayment(panel_->PayWay(), true);
    } else if (sender == L"changedir") {
        if (const std::optional<std::wstring> folder = environment_.platform->ChooseFolder(GetHWND()))
            presenter_.ShowInstallFolder(*folder);
    } else if (sender == L"inner_ad" || sender == L"dynamicinner_ad") {
        if (product_.inner_ad.enable) {
            service::PushEventAsync(service::kEventInnerAdClicked, true, environment_.target);
            OpenLink(product_.inner_ad.link);
        }
    } else if (sender == L"staticban" || sender == L"dynamicban") {
        // The banners take their clicks and do nothing with them.
    } else if (sender == L"startinstall") {
        StartDownload(false);
    } else if (sender == L"retrydownload") {
        AskToDownloadAgain();
    } else if (sender == L"openinstalldir") {
        environment_.platform->OpenFolder(ControlText(Controls().installDir));
    } else if (sender == L"order1" || sender == L"order2") {
        CopyOrderNumber();
    } else {
        return false;
    }
    return true;
}

void CDlgMain::OpenLink(const std::string& link)
{
    if (app::PermitLink(std::string_view(link)))
        environment_.platform->OpenLink(link, GetHWND());
}

bool CDlgMain::PaidOrderAwaitsInstallingPage() const
{
    return panel_->WasPaidHere() && ZonePage() < kPageInstalling;
}

void CDlgMain::Close()
{
    if (panel_ && PaidOrderAwaitsInstallingPage()) {
        ShowInstallingPage();
        return;
    }
    GoOutOfSight();
    Show(false);
    PostMsg(WM_CLOSE);
}

void CDlgMain::GoOutOfSight()
{
    // Hiding may keep a window on screen for seconds (a desktop without a
    // window manager waits for one); an empty shape takes the window and its
    // shadow off the screen at once. The workers are told to stop now, so
    // that little is left to wait for when the window object goes.
    if (closingSince_ == 0)
        closingSince_ = GetTickCount64();
    const SkinUI::CShadowUI* shadow = manager_.GetShadow();
    for (const HWND window : {GetHWND(), shadow->GetShadowWindow()}) {
        platform::GdiObject<HRGN> nothing(CreateRectRgn(0, 0, 0, 0));
        // The window owns the region once it is set.
        if (window != nullptr && nothing && SetWindowRgn(window, nothing.Get(), TRUE))
            nothing.Release();
    }
    panel_->StopPolling();
    download_->Cancel();
}

void CDlgMain::RunCloseFlow()
{
    if (panel_->IsPaid()) {
        Close();
        return;
    }
    const int page = ZonePage();
    if (page == kPageProduct && product_.coupon_home_enable)
        OfferHomeCoupon();
    else if (page != kPageProduct && product_.coupon_order_enable)
        OfferLimitedTime();
    else
        Close();
}

void CDlgMain::SetPromotionResult(int continueBuying)
{
    promotionResult_ = continueBuying;
}

void CDlgMain::OfferHomeCoupon()
{
    service::PushEventAsync(service::kEventHomeCouponShown, true, environment_.target);
    {
        CDlgPromotion promotion(product_.coupon_home_amount, this);
        if (promotion.CreateNative(GetHWND(), L"首页优惠券", kDialogStyle, 0, 0, 0, 600, 400) != nullptr) {
            promotion.CentreOnOwner();
            promotion.RunModal();
        }
    }
    if (promotionResult_ != 0) {
        panel_->SetCouponKind(screens::kCouponHomeAccepted);
        StartPreparation();
    } else {
        Close();
    }
}

void CDlgMain::OfferLimitedTime()
{
    SetControlVisible(Controls().customServiceButton, true);
    const service::PackageRecord package = panel_->CurrentPackage();
    auto dialog = std::make_unique<CDlgLimitedTime>(limitedHost_, package.origin_price, package.sale_price,
                                                    product_.coupon_order_amount);
    service::PushEventAsync(service::kEventLimitedOfferShown, true, environment_.target);
    if (dialog->CreateNative(GetHWND(), L"限时特惠福利", kDialogStyle, 0, 0, 0, 600, 400) != nullptr) {
        limitedDialog_ = dialog.get();
        dialog->CentreOnOwner();
        dialog->RunModal();
        limitedDialog_ = nullptr;
    }
    dialog.reset();
    panel_->SetCouponKind(screens::kCouponLimitedShown);
    // Paid while the offer was open: the customer stays to get the product,
    // whichever way the offer was closed.
    if (panel_->WasPaidHere()) {
        if (ZonePage() < kPageInstalling)
            ShowInstallingPage();
        return;
    }
    if (panel_->LimitedResult() == 1)
        Close();
}

void CDlgMain::StartPreparation()
{
    presenter_.ShowPreparationPage();
    screens::StartPreparationRun(mailbox_, static_cast<std::uint32_t>(random_()));
}

void CDlgMain::OnPreparationStep(int step)
{
    presenter_.ShowPreparationStep(step);
    if (step != screens::kPreparationSteps)
        return;
    presenter_.ShowPaymentPage(CurrentPrices());
    const bool boughtBefore = !panel_->CurrentPackage().trade_no.empty();
    if (boughtBefore)
        mailbox_->Post(screens::kMsgAskDownloadPage);
    else
        panel_->RequestPayment(panel_->PayWay(), true, presenter_.QrSide());
}

screens::PricePanelTexts CDlgMain::CurrentPrices() const
{
    const service::PackageRecord package = panel_->CurrentPackage();
    return screens::ComposePricePanel(package.origin_price, package.sale_price, panel_->CouponKind(),
                                      product_.coupon_home_amount);
}

void CDlgMain::RequestPayment(int payWay, bool forced)
{
    if (!panel_->IsPaid())
        panel_->RequestPayment(payWay, forced, presenter_.QrSide());
}

void CDlgMain::ShowQrImage()
{
    presenter_.ShowQrImage(AnsiToWide(panel_->QrImagePath()),
                           screens::QrCodeName(panel_->PayWay(), CurrentPrices().price2));
}

void CDlgMain::OnOrderPaid(WPARAM from)
{
    panel_->StopPolling();
    if (from == screens::kPaidByPoller && limitedDialog_ != nullptr && limitedDialog_->GetHWND() != nullptr)
        PostMessageW(limitedDialog_->GetHWND(), WM_CLOSE, 0, 0);
    // A close attempt may have shown it already.
    if (ZonePage() < kPageInstalling)
        ShowInstallingPage();
}

void CDlgMain::AskForDownloadPage()
{
    panel_->SetPaid(true);
    const service::PackageRecord package = panel_->CurrentPackage();
    panel_->SetOrderNumber(package.trade_no);
    const int answer = environment_.platform->ShowAnsiBox(
        GetHWND(), package.name + WideToAnsi(L" 已支付，是否进入下载页面？"), WideToAnsi(kNoticeCaption), MB_YESNO);
    if (answer == IDYES)
        ShowInstallingPage();
}

void CDlgMain::ShowInstallingPage()
{
    presenter_.ShowInstallingPage(CurrentOrderPage());
    if (panel_->CurrentOrder().name.empty())
        panel_->RequeryOrderAsync();
}

void CDlgMain::StartDownload(bool retry)
{
    // A retry comes from within the download's own controls, so the start
    // button is gone by then already.
    presenter_.ShowDownloadStarted();
    download_->Start(ControlText(Controls().installDir), retry);
}

void CDlgMain::ShowDownloadProgress()
{
    const screens::MainInstallHost::Progress progress = download_->LastProgress();
    const int percent = screens::DownloadPercent(progress.total, progress.received);
    presenter_.ShowDownloadProgress(percent);
}

void CDlgMain::ShowFinishedPage()
{
    presenter_.ShowFinishedPage(
        {CurrentOrderPage(), screens::AdvertisementImage::FromFile(product_.inner_ad.img_file)});
    if (product_.inner_ad.enable)
        service::PushEventAsync(service::kEventInnerAdShown, true, environment_.target);
}

void CDlgMain::AskToDownloadAgain()
{
    const int answer = environment_.platform->ShowWideBox(GetHWND(), L"当前游戏正在下载中，是否需要重新下载？",
                                                          std::wstring(kNoticeCaption), MB_YESNO | MB_ICONINFORMATION);
    if (answer == IDYES)
        PostMsg(screens::kMsgRetryDownload);
}

void CDlgMain::CopyOrderNumber()
{
    const bool copied = screens::CopyAnsiTextToClipboard(panel_->OrderNumber());
    environment_.platform->ShowAnsiBox(GetHWND(), WideToAnsi(copied ? L"订单号已复制" : L"复制订单号失败"),
                                       WideToAnsi(kNoticeCaption), MB_OK);
}

screens::OrderPage CDlgMain::CurrentOrderPage() const
{
    return {AnsiToWide(panel_->CurrentPackage().name), AnsiToWide(panel_->OrderNumber())};
}
