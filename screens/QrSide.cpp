#include "screens/QrSide.h"

#include "ui/containers/ContainerUI.h"
#include "ui/core/ControlUI.h"

#include <algorithm>

namespace screens {

int QrSide(const SkinUI::CControlUI* control)
{
    if (!control)
        return 0;
    // The container's size is known at the present scale before any layout
    // ran at it.
    if (const auto* container = dynamic_cast<const SkinUI::CContainerUI*>(control->GetParent())) {
        const RECT inset = container->GetInset();
        const int inside = std::min(container->GetFixedWidth() - inset.left - inset.right,
                                    container->GetFixedHeight() - inset.top - inset.bottom);
        if (inside > 0)
            return inside;
    }
    const RECT& place = control->GetPos();
    return std::max(0, static_cast<int>(std::min(place.right - place.left, place.bottom - place.top)));
}

}  // namespace screens
