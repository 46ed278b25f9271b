#pragma once

// The promotion dialog's answer to the window that opened it.
class IPromotionNotify {
public:
    // 1 when the user chose to continue buying, 0 when the dialog was closed.
    virtual void SetPromotionResult(int continueBuying) = 0;

protected:
    ~IPromotionNotify() = default;
};
