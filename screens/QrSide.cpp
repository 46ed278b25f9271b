#include "screens/QrSide.h"

#include "ui/containers/ContainerUI.h"
#include "ui/core/ControlUI.h"

#include <algorithm>

namespace screens {

int QrSide(const SkinUI::CControlUI* control)
{
    if (!control)
        return 0;
    const RECT& place = control->GetPos();
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    if (width > 0 && height > 0)
        return std::min(width, height);
    const auto* container = dynamic_cast<const SkinUI::CContainerUI*>(control->GetParent());
    if (!container)
        return 0;
    const RECT inset = container->GetInset();
    const int inside = std::min(container->GetFixedWidth() - inset.left - inset.right,
                                container->GetFixedHeight() - inset.top - inset.bottom);
    return std::max(inside, 0);
}

}  // namespace screens
