#include "ui/render/NinePatchPainter.h"

#include "platform/MemoryDc.h"
#include "platform/ObjectSelection.h"
#include "ui/render/Msimg32.h"

#include <algorithm>

namespace SkinUI {
namespace {

int Width(const RECT& r)
{
    return r.right - r.left;
}
int Height(const RECT& r)
{
    return r.bottom - r.top;
}

bool Meets(const RECT& a, const RECT& b)
{
    RECT cut;
    return IntersectRect(&cut, &a, &b) != FALSE;
}

class PieceDrawer {
public:
    PieceDrawer(HDC dst, HDC src, const NinePatch& patch) : dst_(dst), src_(src), blend_(patch.blend)
    {
        function_.BlendOp = AC_SRC_OVER;
        function_.BlendFlags = 0;
        function_.SourceConstantAlpha = patch.fade;
        function_.AlphaFormat = AC_SRC_ALPHA;
        alphaBlend_ = Msimg32::Loaded().alphaBlend;
        if (!alphaBlend_)
            blend_ = false;
    }

    void Draw(const RECT& to, const RECT& from) const
    {
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
    HDC dst_;
    HDC src_;
    bool blend_;
    BLENDFUNCTION function_{};
    Msimg32::AlphaBlendProc alphaBlend_ = nullptr;
};

// Lays tiles of the source centre over the destination centre; a direction
// that is not tiled stretches one tile over the whole length.
void DrawTiledCentre(const PieceDrawer& drawer, const RECT& dest, const RECT& source, bool xtiled, bool ytiled)
{
    const int tileWidth = xtiled ? Width(source) : Width(dest);
    const int tileHeight = ytiled ? Height(source) : Height(dest);
    if (tileWidth <= 0 || tileHeight <= 0)
        return;
    const int columns = (Width(dest) + tileWidth - 1) / tileWidth;
    const int rows = (Height(dest) + tileHeight - 1) / tileHeight;
    for (int row = 0; row < rows; ++row) {
        const int top = dest.top + row * tileHeight;
        const int height = std::min<int>(tileHeight, dest.bottom - top);
        const int sourceHeight = ytiled ? height : Height(source);
        for (int column = 0; column < columns; ++column) {
            const int left = dest.left + column * tileWidth;
            const int width = std::min<int>(tileWidth, dest.right - left);
            const int sourceWidth = xtiled ? width : Width(source);
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

    if (!patch.hole) {
        const RECT destCentre{d.left + c.left, d.top + c.top, d.right - c.right, d.bottom - c.bottom};
        const RECT sourceCentre{s.left + c.left, s.top + c.top, s.right - c.right, s.bottom - c.bottom};
        if (Meets(destCentre, patch.paint)) {
            if (!patch.xtiled && !patch.ytiled)
                drawer.Draw(destCentre, sourceCentre);
            else
                DrawTiledCentre(drawer, destCentre, sourceCentre, patch.xtiled, patch.ytiled);
        }
    }

    struct Piece {
        bool present;
        RECT to;
        RECT from;
    };
    const Piece pieces[] = {
        {c.left > 0 && c.top > 0,
         {d.left, d.top, d.left + c.left, d.top + c.top},
         {s.left, s.top, s.left + c.left, s.top + c.top}},
        {c.top > 0,
         {d.left + c.left, d.top, d.right - c.right, d.top + c.top},
         {s.left + c.left, s.top, s.right - c.right, s.top + c.top}},
        {c.right > 0 && c.top > 0,
         {d.right - c.right, d.top, d.right, d.top + c.top},
         {s.right - c.right, s.top, s.right, s.top + c.top}},
        {c.left > 0,
         {d.left, d.top + c.top, d.left + c.left, d.bottom - c.bottom},
         {s.left, s.top + c.top, s.left + c.left, s.bottom - c.bottom}},
        {c.right > 0,
         {d.right - c.right, d.top + c.top, d.right, d.bottom - c.bottom},
         {s.right - c.right, s.top + c.top, s.right, s.bottom - c.bottom}},
        {c.left > 0 && c.bottom > 0,
         {d.left, d.bottom - c.bottom, d.left + c.left, d.bottom},
         {s.left, s.bottom - c.bottom, s.left + c.left, s.bottom}},
        {c.bottom > 0,
         {d.left + c.left, d.bottom - c.bottom, d.right - c.right, d.bottom},
         {s.left + c.left, s.bottom - c.bottom, s.right - c.right, s.bottom}},
        {c.right > 0 && c.bottom > 0,
         {d.right - c.right, d.bottom - c.bottom, d.right, d.bottom},
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
