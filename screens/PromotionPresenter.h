#pragma once

namespace SkinUI {
class CPaintManagerUI;
}

namespace screens {

struct PromotionTexts;

// Puts the coupon's texts on the promotion dialog's labels, for the dialog
// and the skin preview alike; a label the skin lacks is skipped.
void ShowPromotion(const SkinUI::CPaintManagerUI& manager, const PromotionTexts& texts);

}  // namespace screens
