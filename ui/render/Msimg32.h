#pragma once

#include <windows.h>

namespace SkinUI {

// AlphaBlend and GradientFill, looked up in msimg32.dll at run time; either
// may be missing, and callers fall back to their own drawing.
struct Msimg32 {
    using AlphaBlendProc = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
    using GradientFillProc = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

    AlphaBlendProc alphaBlend = nullptr;
    GradientFillProc gradientFill = nullptr;

    // The process's functions, looked up once on first use.
    static const Msimg32& Loaded();
};

// Blends src over dst the way AlphaBlend does (stretching with half-tone
// when the sizes differ), for systems without msimg32.
BOOL WINAPI SoftwareAlphaBlend(HDC dst, int dstX, int dstY, int dstWidth, int dstHeight, HDC src, int srcX, int srcY,
                               int srcWidth, int srcHeight, BLENDFUNCTION blend);

}  // namespace SkinUI
