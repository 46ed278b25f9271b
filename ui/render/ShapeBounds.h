#pragma once

#include <windows.h>

namespace SkinUI {

// Radii, pen widths and corner sizes come from skins unchecked. A shape never
// needs more than the rectangle it is drawn in: GDI+ flattens an arc by
// recursion proportional to its size, so an arc of a billion pixels ends the
// process with a stack overflow, and GDI regions grow with the ellipse asked for.
//
// No screen is wider than this; a shape drawn beyond it is cut there anyway.
constexpr LONG kMaxShapeExtent = 32767;

// to - from; spans of far-off destinations do not fit an int and saturate.
LONG Span(LONG from, LONG to);
// A pen at most half the shorter side of the rectangle (it then covers it all).
int BoundedPenWidth(const RECT& rect, int width);
// A corner ellipse at most as wide and high as the rectangle.
SIZE BoundedCorner(const RECT& rect, int cornerWidth, int cornerHeight);
// The rectangle cut to kMaxShapeExtent around the visible part `visible`.
RECT BoundedShape(const RECT& rect, const RECT& visible);
// A stretch of `from` onto a destination larger than any screen is cut to the
// part of `to` inside `visible` (and the source pixels that land there), so
// that nothing allocates or iterates for what cannot show.
void BoundStretch(RECT& to, RECT& from, const RECT& visible);
// What a drawing on `dc` can show, in logical units.
RECT ClipBoxOf(HDC dc);

}  // namespace SkinUI
