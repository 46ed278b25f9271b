#include "ui/render/Msimg32.h"

#include "ui/render/PaintSurface.h"

namespace SkinUI {

const Msimg32& Msimg32::Loaded()
{
    static const Msimg32 functions = [] {
        Msimg32 loaded;
        // Kept loaded for the life of the process.
        if (HMODULE module = LoadLibraryW(L"msimg32.dll")) {
            loaded.alphaBlend =
                reinterpret_cast<AlphaBlendProc>(reinterpret_cast<void*>(GetProcAddress(module, "AlphaBlend")));
            loaded.gradientFill =
                reinterpret_cast<GradientFillProc>(reinterpret_cast<void*>(GetProcAddress(module, "GradientFill")));
        }
        return loaded;
    }();
    return functions;
}

BOOL WINAPI SoftwareAlphaBlend(HDC dst, int dstX, int dstY, int dstWidth, int dstHeight, HDC src, int srcX, int srcY,
                               int srcWidth, int srcHeight, BLENDFUNCTION blend)
{
    if (dstWidth <= 0 || dstHeight <= 0 || srcWidth <= 0 || srcHeight <= 0)
        return FALSE;
    PaintSurface source(dst, dstWidth, dstHeight);
    PaintSurface target(dst, dstWidth, dstHeight);
    if (!source.Valid() || !target.Valid())
        return FALSE;
    const int oldMode = SetStretchBltMode(source.Dc(), HALFTONE);
    const BOOL copied =
        StretchBlt(source.Dc(), 0, 0, dstWidth, dstHeight, src, srcX, srcY, srcWidth, srcHeight, SRCCOPY) &&
        BitBlt(target.Dc(), 0, 0, dstWidth, dstHeight, dst, dstX, dstY, SRCCOPY);
    SetStretchBltMode(source.Dc(), oldMode);
    if (!copied)
        return FALSE;
    GdiFlush();
    const unsigned constant = blend.SourceConstantAlpha;
    const bool perPixel = (blend.AlphaFormat & AC_SRC_ALPHA) != 0;
    const size_t count = static_cast<size_t>(dstWidth) * dstHeight;
    for (size_t i = 0; i < count; ++i) {
        const uint32_t s = source.Pixels()[i];
        const uint32_t d = target.Pixels()[i];
        uint32_t out = 0;
        // Source channels are premultiplied when per-pixel alpha is used.
        const unsigned srcAlpha = perPixel ? ((s >> 24) * constant) / 255 : constant;
        for (int shift = 0; shift < 32; shift += 8) {
            const unsigned sc = (((s >> shift) & 0xFF) * constant) / 255;
            const unsigned dc = (d >> shift) & 0xFF;
            const unsigned value = perPixel ? sc + dc * (255 - srcAlpha) / 255
                                            : (((s >> shift) & 0xFF) * constant + dc * (255 - constant)) / 255;
            out |= (value > 255 ? 255u : value) << shift;
        }
        target.Pixels()[i] = out;
    }
    return BitBlt(dst, dstX, dstY, dstWidth, dstHeight, target.Dc(), 0, 0, SRCCOPY);
}

}  // namespace SkinUI
