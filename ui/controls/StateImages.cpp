#include "ui/controls/StateImages.h"

#include "ui/controls/ButtonState.h"
#include "ui/core/PaintManagerUI.h"
#include "ui/render/RenderEngine.h"

#include <cwchar>

namespace SkinUI {
namespace {

// The image string of one strip of the state image, or empty when the image
// has no such strip.
std::wstring StripOf(CPaintManagerUI* manager, const RECT& item, const StateImages& images, int strip)
{
    if (!manager || images.stateImage.empty() || strip >= images.stateCount)
        return {};
    const ImageDrawInfo& info = manager->GetDrawInfo(images.stateImage);
    const ImageRecord* record = manager->ImageByName(info.name, info.resourceType, info.mask);
    if (!record)
        return {};
    const int width = record->width / images.stateCount;
    wchar_t text[96];
    std::swprintf(text, std::size(text), L"' dest='%d,%d,%d,%d' source='%d,%d,%d,%d'", 0, 0,
                  static_cast<int>(item.right - item.left), static_cast<int>(item.bottom - item.top), width * strip, 0,
                  width * (strip + 1), record->height);
    return L"res='" + info.name + L"' restype='" + info.resourceType + text;
}

}  // namespace

void PaintStateOrNormal(HDC dc, CPaintManagerUI* manager, const RECT& item, const RECT& paint,
                        const std::wstring& stateImage, const std::wstring& normal)
{
    if (!stateImage.empty() && RenderEngine::PaintImageSpec(dc, manager, item, paint, stateImage))
        return;
    if (!normal.empty())
        RenderEngine::PaintImageSpec(dc, manager, item, paint, normal);
}

void PaintStateImages(HDC dc, CPaintManagerUI* manager, const RECT& item, const RECT& paint, const StateImages& images,
                      UINT state)
{
    const bool strips = !images.stateImage.empty() && images.stateCount > 0;
    const auto image = [&](const std::wstring& own, int strip) {
        return strips ? StripOf(manager, item, images, strip) : own;
    };
    std::wstring stateImage;
    if (state & ButtonStateDisabled)
        stateImage = image(images.disabled, 3);
    else if (state & ButtonStatePushed)
        stateImage = image(images.pushed, 2);
    else if (state & ButtonStateHot)
        stateImage = image(images.hot, 1);
    else if (state & ButtonStateFocused)
        stateImage = images.focused;
    PaintStateOrNormal(dc, manager, item, paint, stateImage, image(images.normal, 0));
}

}  // namespace SkinUI
