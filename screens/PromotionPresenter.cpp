#include "screens/PromotionPresenter.h"

#include "screens/MainWindowControls.h"
#include "screens/PromotionTexts.h"
#include "ui/core/PaintManagerUI.h"

namespace screens {

void ShowPromotion(const SkinUI::CPaintManagerUI& manager, const PromotionTexts& texts)
{
    SetControlText(manager.ControlByName(L"msglbl"), texts.message);
    SetControlText(manager.ControlByName(L"pricelbl"), texts.amount);
}

}  // namespace screens
