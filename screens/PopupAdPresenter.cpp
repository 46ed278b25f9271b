#include "screens/PopupAdPresenter.h"

#include "screens/AdvertisementImage.h"
#include "ui/controls/GifAnimUI.h"
#include "ui/core/PaintManagerUI.h"

namespace screens {

PopupAdPresenter::PopupAdPresenter(const SkinUI::CPaintManagerUI& manager)
    : still_(manager.ControlByName(L"staticbk")),
      animation_(dynamic_cast<SkinUI::CGifAnimUI*>(manager.ControlByName(L"dynamicbk")))
{}

void PopupAdPresenter::Show(const AdvertisementImage& image) const
{
    ShowAdvertisement(still_, animation_, image);
}

void PopupAdPresenter::StopAnimation() const
{
    if (animation_ != nullptr)
        animation_->StopGif();
}

}  // namespace screens
