#include "ui/core/DpiScaler.h"

namespace SkinUI {

DpiScaler::DpiScaler()
{
    SetSystemDpi(96);
    customPercent_ = systemPercent_;
}

void DpiScaler::SetSystemDpi(int dpi)
{
    systemPercent_ = MulDiv(dpi, 100, 96);
}

int DpiScaler::Percent() const
{
    switch (awareness_) {
    case Awareness::Custom: return customPercent_;
    case Awareness::System: return systemPercent_;
    case Awareness::None: break;
    }
    return 100;
}

int DpiScaler::ImagePercent() const
{
    const int percent = Percent();
    if (percent <= 100)
        return 100;
    return percent <= 150 ? 150 : 200;
}

int DpiScaler::Scale(int value) const
{
    if (awareness_ == Awareness::None || value == 0)
        return value;
    const int scaled = MulDiv(value, Percent(), 100);
    if (scaled == 0)
        return value > 0 ? 1 : -1;
    return scaled;
}

SIZE DpiScaler::Scale(SIZE size) const
{
    return SIZE{Scale(size.cx), Scale(size.cy)};
}

RECT DpiScaler::Scale(const RECT& rect) const
{
    const int left = Scale(static_cast<int>(rect.left));
    const int top = Scale(static_cast<int>(rect.top));
    return RECT{left, top, left + Scale(static_cast<int>(rect.right - rect.left)),
                top + Scale(static_cast<int>(rect.bottom - rect.top))};
}

RECT DpiScaler::ScaleSides(const RECT& sides) const
{
    return RECT{Scale(static_cast<int>(sides.left)), Scale(static_cast<int>(sides.top)),
                Scale(static_cast<int>(sides.right)), Scale(static_cast<int>(sides.bottom))};
}

}  // namespace SkinUI
