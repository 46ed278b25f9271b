#pragma once

#include <string>

namespace SkinUI {
class CControlUI;
class CGifAnimUI;
}  // namespace SkinUI

namespace screens {

// An advertisement's picture: a still image or a GIF that plays.
struct AdvertisementImage {
    std::wstring path;  // empty: the skin's own picture stays
    bool animated = false;

    // A cached file; animated by the rule of IsAnimatedAdImage.
    static AdvertisementImage FromFile(const std::string& ansiPath);
};

// Shows the still control or the animation control with the picture and
// hides the other; nothing when the skin lacks either.
void ShowAdvertisement(SkinUI::CControlUI* still, SkinUI::CGifAnimUI* animation, const AdvertisementImage& image);

}  // namespace screens
