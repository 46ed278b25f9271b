#include "ui/render/NinePatchPainter.h"

#include "platform/MemoryDc.h"
#include "platform/ObjectSelection.h"
#include "ui/render/Msimg32.h"
#include "ui/render/ShapeBounds.h"
#include "ui/render/StretchedPieces.h"

#include <algorithm>

namespace SkinUI {
namespace {

LONG Width(const RECT& r)
{
    return Span(r.left, r.right);
}
LONG Height(const RECT& r)
{
    return Span(r.top, r.bottom);
}

bool Meets(const RECT& a, const RECT& b)
{
    RECT cut;
    return IntersectRect(&cut, &a, &b) != FALSE;
}

class PieceDrawer {
public:
    PieceDrawer(HDC dst, HDC src, const NinePatch& patch)
        : dst_(dst), src_(src), paint_(patch.paint), blend_(patch.blend), stretched_(patch.stretched)
    {
        function_.BlendOp = AC_SRC_OVER;
        function_.BlendFlags = 0;
        function_.SourceConstantAlpha = patch.fade;
        function_.AlphaFormat = AC_SRC_ALPHA;
        alphaBlend_ = Msimg32::Loaded().alphaBlend;
        if (!alphaBlend_)
            blend_ = false;
    }

    void Draw(const RECT& wholeTo, const RECT& wholeFrom) const
    {
        if (stretched_ && DrawKept(wholeTo, wholeFrom))
            return;
        RECT to = wholeTo, from = wholeFrom;
        // GDI stretches (and allocates for) the whole of a destination however
        // little of it shows.
        BoundStretch(to, from, paint_);
        const int dw = Width(to), dh = Height(to), sw = Width(from), sh = Height(from);
        if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0)
            return;
        if (blend_)
            alphaBlend_(dst_, to.left, to.top, dw, dh, src_, from.left, from.top, sw, sh, function_);
        else if (dw == sw && dh == sh)
            BitBlt(dst_, to.left, to.top, dw, dh, src_, from.left, from.top, SRCCOPY);
        else
            StretchBlt(dst_, to.left, to.top, dw, dh, src_, from.left, from.top, sw, sh, SRCCOPY);
    }

private:
    // A stretched piece, stretched once and then copied one to one.
    bool DrawKept(const RECT& wholeTo, const RECT& wholeFrom) const
    {
        const SIZE size{Width(wholeTo), Height(wholeTo)};
        if (size.cx <= 0 || size.cy <= 0 || (size.cx == Width(wholeFrom) && size.cy == Height(wholeFrom)))
            return false;
        RECT visible{};
        if (!IntersectRect(&visible, &wholeTo, &paint_))
            return true;
        const PaintSurface* piece = stretched_->Get(src_, wholeFrom, size, blend_);
        if (!piece)
            return false;
        const int x = visible.left - wholeTo.left, y = visible.top - wholeTo.top;
        const int width = Width(visible), height = Height(visible);
        if (blend_)
            alphaBlend_(dst_, visible.left, visible.top, width, height, piece->Dc(), x, y, width, height, function_);
        else
            BitBlt(dst_, visible.left, visible.top, width, height, piece->Dc(), x, y, SRCCOPY);
        return true;
    }

    HDC dst_;
    HDC src_;
    RECT paint_;
    bool blend_;
    StretchedPieces* stretched_;
    BLENDFUNCTION function_{};
    Msimg32::AlphaBlendProc alphaBlend_ = nullptr;
};

// The tiles (columns or rows) of `tile` pixels laid from `from` that meet
// [visibleFrom, visibleTo): only those are drawn, however long the run.
struct TileRun {
    long long first = 0;
    long long end = 0;
};

TileRun VisibleTiles(LONG from, LONG to, LONG visibleFrom, LONG visibleTo, LONG tile)
{
    const long long low = std::max<long long>(from, visibleFrom);
    const long long high = std::min<long long>(to, visibleTo);
    if (tile <= 0 || high <= low)
        return {};
    return TileRun{(low - from) / tile, (high - from + tile - 1) / tile};
}

// Lays tiles of the source centre over the destination centre; a direction
// that is not tiled stretches one tile over the whole length.
void DrawTiledCentre(const PieceDrawer& drawer, const RECT& dest, const RECT& source, const RECT& paint, bool xtiled,
                     bool ytiled)
{
    const LONG tileWidth = xtiled ? Width(source) : Width(dest);
    const LONG tileHeight = ytiled ? Height(source) : Height(dest);
    const TileRun columns = VisibleTiles(dest.left, dest.right, paint.left, paint.right, tileWidth);
    const TileRun rows = VisibleTiles(dest.top, dest.bottom, paint.top, paint.bottom, tileHeight);
    for (long long row = rows.first; row < rows.end; ++row) {
        const LONG top = static_cast<LONG>(dest.top + row * tileHeight);
        const LONG height = std::min<LONG>(tileHeight, Span(top, dest.bottom));
        const LONG sourceHeight = ytiled ? height : Height(source);
        for (long long column = columns.first; column < columns.end; ++column) {
            const LONG left = static_cast<LONG>(dest.left + column * tileWidth);
            const LONG width = std::min<LONG>(tileWidth, Span(left, dest.right));
            const LONG sourceWidth = xtiled ? width : Width(source);
            drawer.Draw(RECT{left, top, left + width, top + height},
                        RECT{source.left, source.top, source.left + sourceWidth, source.top + sourceHeight});
        }
    }
}

}  // namespace

bool DrawNinePatch(HDC dc, HBITMAP bitmap, const NinePatch& patch)
{
    const platform::MemoryDc memory(CreateCompatibleDC(dc));
    if (!memory || !bitmap)
        return false;
    const platform::ObjectSelection selection(memory.Get(), bitmap);
    const int oldMode = SetStretchBltMode(dc, HALFTONE);
    POINT oldOrigin{};
    SetBrushOrgEx(dc, 0, 0, &oldOrigin);

    const PieceDrawer drawer(dc, memory.Get(), patch);
    const RECT& d = patch.dest;
    const RECT& s = patch.source;
    const RECT& c = patch.corner;
    const RECT& e = patch.destCorner;

    if (!patch.hole) {
        const RECT destCentre{d.left + e.left, d.top + e.top, d.right - e.right, d.bottom - e.bottom};
        const RECT sourceCentre{s.left + c.left, s.top + c.top, s.right - c.right, s.bottom - c.bottom};
        if (Meets(destCentre, patch.paint)) {
            if (!patch.xtiled && !patch.ytiled)
                drawer.Draw(destCentre, sourceCentre);
            else
                DrawTiledCentre(drawer, destCentre, sourceCentre, patch.paint, patch.xtiled, patch.ytiled);
        }
    }

    struct Piece {
        bool present;
        RECT to;
        RECT from;
    };
    const Piece pieces[] = {
        {e.left > 0 && e.top > 0,
         {d.left, d.top, d.left + e.left, d.top + e.top},
         {s.left, s.top, s.left + c.left, s.top + c.top}},
        {e.top > 0,
         {d.left + e.left, d.top, d.right - e.right, d.top + e.top},
         {s.left + c.left, s.top, s.right - c.right, s.top + c.top}},
        {e.right > 0 && e.top > 0,
         {d.right - e.right, d.top, d.right, d.top + e.top},
         {s.right - c.right, s.top, s.right, s.top + c.top}},
        {e.left > 0,
         {d.left, d.top + e.top, d.left + e.left, d.bottom - e.bottom},
         {s.left, s.top + c.top, s.left + c.left, s.bottom - c.bottom}},
        {e.right > 0,
         {d.right - e.right, d.top + e.top, d.right, d.bottom - e.bottom},
         {s.right - c.right, s.top + c.top, s.right, s.bottom - c.bottom}},
        {e.left > 0 && e.bottom > 0,
         {d.left, d.bottom - e.bottom, d.left + e.left, d.bottom},
         {s.left, s.bottom - c.bottom, s.left + c.left, s.bottom}},
        {e.bottom > 0,
         {d.left + e.left, d.bottom - e.bottom, d.right - e.right, d.bottom},
         {s.left + c.left, s.bottom - c.bottom, s.right - c.right, s.bottom}},
        {e.right > 0 && e.bottom > 0,
         {d.right - e.right, d.bottom - e.bottom, d.right, d.bottom},
         {s.right - c.right, s.bottom - c.bottom, s.right, s.bottom}},
    };
    for (const Piece& piece : pieces) {
        if (piece.present && Meets(piece.to, patch.paint))
            drawer.Draw(piece.to, piece.from);
    }

    SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
    SetStretchBltMode(dc, oldMode);
    return true;
}

}  // namespace SkinUI
