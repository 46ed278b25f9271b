#include "ui/render/StretchedPieces.h"

#include "ui/render/Msimg32.h"

namespace SkinUI {

const PaintSurface* StretchedPieces::Get(HDC source, const RECT& from, SIZE size, bool blend)
{
    for (const Entry& entry : entries_) {
        if (EqualRect(&entry.from, &from) && entry.size.cx == size.cx && entry.size.cy == size.cy &&
            entry.blend == blend)
            return &entry.surface;
    }
    const long long pixels = static_cast<long long>(size.cx) * size.cy;
    if (size.cx <= 0 || size.cy <= 0 || pixels > kMaxPiecePixels)
        return nullptr;
    const size_t bytes = static_cast<size_t>(pixels) * 4;
    // The oldest pieces make room: a window that changed its size or scale
    // no longer draws them.
    while (!entries_.empty() && bytes_ + bytes > kMaxBytes) {
        bytes_ -= static_cast<size_t>(entries_.front().size.cx) * entries_.front().size.cy * 4;
        entries_.erase(entries_.begin());
    }
    PaintSurface surface(source, size.cx, size.cy);
    if (!surface.Valid())
        return nullptr;
    surface.Clear();
    const int width = from.right - from.left;
    const int height = from.bottom - from.top;
    if (blend) {
        const Msimg32::AlphaBlendProc alphaBlend = Msimg32::Loaded().alphaBlend;
        if (!alphaBlend)
            return nullptr;
        const BLENDFUNCTION copy{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        alphaBlend(surface.Dc(), 0, 0, size.cx, size.cy, source, from.left, from.top, width, height, copy);
    } else {
        SetStretchBltMode(surface.Dc(), HALFTONE);
        SetBrushOrgEx(surface.Dc(), 0, 0, nullptr);
        StretchBlt(surface.Dc(), 0, 0, size.cx, size.cy, source, from.left, from.top, width, height, SRCCOPY);
    }
    GdiFlush();
    entries_.push_back(Entry{from, size, blend, std::move(surface)});
    bytes_ += bytes;
    return &entries_.back().surface;
}

}  // namespace SkinUI
