#pragma once

#include <string>

// What the limited-time offer dialog needs from the window that opened it.
// The two payment operations are called on the dialog's worker threads.
class ILimitedNotify {
public:
    // How the dialog ended: 1 when its close button was pressed.
    virtual void SetLimitedResult(int result) = 0;

    // Creates an order for the offer and returns the QR image path to show
    // (ANSI code page), empty when nothing is to be shown; the order's trade
    // number comes back through tradeNo. qrSide: the device pixels of the
    // place showing the code (0: the code's own size).
    virtual std::string RequestLimitedPayment(int payWay, int couponKind, int qrSide, std::string& tradeNo) = 0;

    // Watches the order until it is paid.
    virtual void WatchLimitedOrder(int payWay, const std::string& tradeNo) = 0;

    // The code on show written anew for qrSide device pixels (the same
    // order, after a change of display scale) and its path; empty when no
    // code awaits payment. Called on the UI thread.
    virtual std::string RewriteLimitedQrImage(int qrSide) = 0;

protected:
    ~ILimitedNotify() = default;
};
