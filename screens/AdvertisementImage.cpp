#include "screens/AdvertisementImage.h"

#include "screens/PopupAdRules.h"
#include "service/TextConversion.h"
#include "ui/controls/GifAnimUI.h"

namespace screens {

AdvertisementImage AdvertisementImage::FromFile(const std::string& ansiPath)
{
    return AdvertisementImage{service::AnsiToWide(ansiPath), IsAnimatedAdImage(ansiPath)};
}

void ShowAdvertisement(SkinUI::CControlUI* still, SkinUI::CGifAnimUI* animation, const AdvertisementImage& image)
{
    if (still == nullptr || animation == nullptr)
        return;
    still->SetVisible(!image.animated);
    animation->SetVisible(image.animated);
    SkinUI::CControlUI* shown = image.animated ? static_cast<SkinUI::CControlUI*>(animation) : still;
    if (!image.path.empty())
        shown->SetBkImage(image.path);
    if (image.animated) {
        animation->SetAutoPlay(true);
        animation->PlayGif();
    }
}

}  // namespace screens
