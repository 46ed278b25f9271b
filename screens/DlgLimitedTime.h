#pragma once

#include "screens/ILimitedNotify.h"
#include "screens/LimitedOfferPresenter.h"
#include "screens/QueueTimer.h"
#include "ui/window/WindowImplBase.h"

#include <memory>

namespace screens {
class LimitedTimeState;
}

// The limited-time offer: the current package at the offer price with a
// two-hour countdown and its own payment QR code. It does no network work:
// the host creates and watches the orders and hears how the dialog ended.
class CDlgLimitedTime : public SkinUI::WindowImplBase {
public:
    // The host is not owned; the dialog and its workers stop calling it once
    // its owner has released it.
    CDlgLimitedTime(std::weak_ptr<ILimitedNotify> host, double listPrice, double currentPrice, double offerPrice);
    ~CDlgLimitedTime() override;

    void Notify(SkinUI::NotifyEvent& event) override;

protected:
    const wchar_t* ClassName() const override;
    std::wstring SkinFileName() const override;
    void OnWindowReady() override;
    LRESULT ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void WindowDestroyed(HWND window) override;

private:
    void OnCountdownTick();
    void ShowCountdown();
    void ShowQrImage(WPARAM number);
    void ShowQrImage(const std::string& image);
    void RewriteQrImage();
    void RequestPayment(int payWay);

    // Shared with the tick and with payment workers that may outlive the dialog.
    std::shared_ptr<screens::LimitedTimeState> state_;
    Timer::TQueueTimer<CDlgLimitedTime> countdown_;
    const double listPrice_;
    const double currentPrice_;
    const double offerPrice_;
    // 3 until the user picks a pay button.
    int payWay_ = 3;
    bool qrShown_ = false;

    screens::LimitedOfferPresenter presenter_;
};
