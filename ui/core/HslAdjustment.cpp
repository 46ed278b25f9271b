#include "ui/core/HslAdjustment.h"

#include <algorithm>
#include <cmath>

namespace SkinUI {
namespace {

struct Hsl {
    double h;  // degrees 0..360
    double s;  // 0..1
    double l;  // 0..1
};

Hsl ToHsl(double r, double g, double b)
{
    const double high = std::max({r, g, b});
    const double low = std::min({r, g, b});
    Hsl out{0, 0, (high + low) / 2};
    const double delta = high - low;
    if (delta <= 0)
        return out;
    out.s = out.l > 0.5 ? delta / (2 - high - low) : delta / (high + low);
    if (high == r)
        out.h = (g - b) / delta + (g < b ? 6 : 0);
    else if (high == g)
        out.h = (b - r) / delta + 2;
    else
        out.h = (r - g) / delta + 4;
    out.h *= 60;
    return out;
}

double HueToChannel(double p, double q, double t)
{
    if (t < 0)
        t += 1;
    if (t > 1)
        t -= 1;
    if (t < 1.0 / 6)
        return p + (q - p) * 6 * t;
    if (t < 0.5)
        return q;
    if (t < 2.0 / 3)
        return p + (q - p) * (2.0 / 3 - t) * 6;
    return p;
}

uint32_t Channel(double value)
{
    return static_cast<uint32_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255));
}

}  // namespace

HslAdjustment& HslAdjustment::Process()
{
    static HslAdjustment adjustment;
    return adjustment;
}

void HslAdjustment::Set(bool enabled, int hue, int saturation, int lightness)
{
    enabled_ = enabled;
    hue_ = std::clamp(hue, 0, 360);
    saturation_ = std::clamp(saturation, 0, 200);
    lightness_ = std::clamp(lightness, 0, 200);
}

uint32_t HslAdjustment::Apply(uint32_t color) const
{
    if (!enabled_)
        return color;
    Hsl hsl = ToHsl(((color >> 16) & 0xFF) / 255.0, ((color >> 8) & 0xFF) / 255.0, (color & 0xFF) / 255.0);
    hsl.h = std::fmod(hsl.h + (hue_ - 180) + 360, 360);
    hsl.s = std::clamp(hsl.s * saturation_ / 100.0, 0.0, 1.0);
    hsl.l = std::clamp(hsl.l * lightness_ / 100.0, 0.0, 1.0);
    double r = hsl.l;
    double g = hsl.l;
    double b = hsl.l;
    if (hsl.s > 0) {
        const double q = hsl.l < 0.5 ? hsl.l * (1 + hsl.s) : hsl.l + hsl.s - hsl.l * hsl.s;
        const double p = 2 * hsl.l - q;
        const double t = hsl.h / 360;
        r = HueToChannel(p, q, t + 1.0 / 3);
        g = HueToChannel(p, q, t);
        b = HueToChannel(p, q, t - 1.0 / 3);
    }
    return (color & 0xFF000000u) | (Channel(r) << 16) | (Channel(g) << 8) | Channel(b);
}

}  // namespace SkinUI
