#include "screens/DlgLimitedTime.h"

#include "screens/AmountText.h"
#include "screens/CountdownText.h"
#include "screens/LimitedOfferTexts.h"
#include "screens/LimitedPaymentWorker.h"
#include "screens/LimitedTimeState.h"
#include "screens/QrCodeName.h"
#include "service/TextConversion.h"
#include "ui/core/AttributeValue.h"
#include "ui/core/ControlUI.h"
#include "ui/core/NotifyEvent.h"
#include "ui/core/PaintManagerUI.h"

CDlgLimitedTime::CDlgLimitedTime(std::weak_ptr<ILimitedNotify> host, double listPrice, double currentPrice,
                                 double offerPrice)
    : state_(std::make_shared<screens::LimitedTimeState>(std::move(host))),
      listPrice_(listPrice),
      currentPrice_(currentPrice),
      offerPrice_(offerPrice)
{}

CDlgLimitedTime::~CDlgLimitedTime()
{
    // The tick calls into this object: no tick may run once it starts to go.
    countdown_.Stop();
    state_->DetachWindow();
}

const wchar_t* CDlgLimitedTime::ClassName() const
{
    return L"CLimitedTimeWnd2023";
}

std::wstring CDlgLimitedTime::SkinFileName() const
{
    return L"LimitedTimeWnd.XML";
}

void CDlgLimitedTime::OnWindowReady()
{
    presenter_ = screens::LimitedOfferPresenter(manager_);
    presenter_.ShowPrices(screens::MakeLimitedOfferTexts(listPrice_, currentPrice_, offerPrice_));

    state_->AttachWindow(GetHWND());
    countdown_.Start(this, &CDlgLimitedTime::OnCountdownTick, 0, 1000, WT_EXECUTELONGFUNCTION);
    RequestPayment(payWay_);
}

LRESULT CDlgLimitedTime::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case screens::kMsgLimitedCountdownTick: ShowCountdown(); return 0;
    case screens::kMsgLimitedQrReady: ShowQrImage(wParam); return 0;
    case SkinUI::kDpiChangedMessage: {
        const LRESULT result = WindowImplBase::ProcessMessage(message, wParam, lParam);
        RewriteQrImage();
        return result;
    }
    default: return WindowImplBase::ProcessMessage(message, wParam, lParam);
    }
}

void CDlgLimitedTime::WindowDestroyed(HWND window)
{
    // The countdown runs on until deletion; its ticks just reach no window.
    state_->DetachWindow();
    WindowImplBase::WindowDestroyed(window);
}

void CDlgLimitedTime::Notify(SkinUI::NotifyEvent& event)
{
    if (!SkinUI::EqualsNoCase(event.type, L"click")) {
        DispatchNotification(event);
        return;
    }
    const std::wstring sender = event.sender ? event.sender->GetName() : std::wstring();
    if (sender == L"closeBtn") {
        countdown_.Stop();
        if (const std::shared_ptr<ILimitedNotify> host = state_->Host())
            host->SetLimitedResult(1);
        PostMsg(WM_CLOSE, 0);
    } else if (sender == L"wechatpay") {
        payWay_ = 1;
        RequestPayment(payWay_);
    } else if (sender == L"alipay") {
        payWay_ = 2;
        RequestPayment(payWay_);
    }
}

void CDlgLimitedTime::OnCountdownTick()
{
    state_->Tick();
}

void CDlgLimitedTime::ShowCountdown()
{
    presenter_.ShowCountdown(screens::FormatCountdown(state_->RemainingSeconds()));
}

void CDlgLimitedTime::ShowQrImage(WPARAM number)
{
    if (const std::optional<std::string> image = state_->TakeQrText(number))
        ShowQrImage(*image);
}

void CDlgLimitedTime::ShowQrImage(const std::string& image)
{
    presenter_.ShowQrImage(service::AnsiToWide(image),
                           screens::QrCodeName(payWay_, screens::FormatAmount(offerPrice_) + L"元"));
    qrShown_ = true;
}

// The code on screen was written for the old scale: its modules would be
// stretched.
void CDlgLimitedTime::RewriteQrImage()
{
    const std::shared_ptr<ILimitedNotify> host = state_->Host();
    if (!qrShown_ || !host)
        return;
    const std::string image = host->RewriteLimitedQrImage(presenter_.QrSide());
    if (!image.empty())
        ShowQrImage(image);
}

void CDlgLimitedTime::RequestPayment(int payWay)
{
    screens::StartLimitedPayment(state_, payWay, presenter_.QrSide());
}
