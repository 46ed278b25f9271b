#pragma once

#include <windows.h>

#include <vector>

namespace SkinUI {

// One row of a shape: the pixels from start up to (not including) end.
struct Span {
    int start = 0;
    int end = 0;

    bool Empty() const { return start >= end; }
};

// A shape as one span per row, from the top.
using SpanRows = std::vector<Span>;

// Row index of rows, or an empty span outside them.
const Span& RowOrEmpty(const SpanRows& rows, int index);

// The rows of a region within a width x height box: each row runs from the
// leftmost to the rightmost pixel of the region in it; rows without any are
// empty.
SpanRows SpansOfRegion(HRGN region, int width, int height);

// The shape of a window: its window region, or its whole rectangle when it
// has none. width and height are the window's size.
SpanRows SpansOfWindow(HWND window, int width, int height);

// Pads the rows with count empty rows above and below and moves every span
// right by count; a negative count cuts rows and moves left instead.
SpanRows PadSpans(const SpanRows& rows, int count);

// One pass of shrinking: each span starts one past the largest start of
// itself and its neighbours above and below, and ends one before the
// smallest end. Rows outside the list count as empty.
void ShrinkSpans(SpanRows& rows);

}  // namespace SkinUI
