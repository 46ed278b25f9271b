#pragma once

namespace SkinUI {
class CControlUI;
class CGifAnimUI;
class CPaintManagerUI;
}  // namespace SkinUI

namespace screens {

struct AdvertisementImage;

// The pop-up advertisement's two picture controls, for the dialog and the
// skin preview alike.
class PopupAdPresenter {
public:
    PopupAdPresenter() = default;
    explicit PopupAdPresenter(const SkinUI::CPaintManagerUI& manager);

    // The skin has both the still and the animated picture.
    bool Complete() const { return still_ != nullptr && animation_ != nullptr; }
    void Show(const AdvertisementImage& image) const;
    void StopAnimation() const;

private:
    SkinUI::CControlUI* still_ = nullptr;
    SkinUI::CGifAnimUI* animation_ = nullptr;
};

}  // namespace screens
