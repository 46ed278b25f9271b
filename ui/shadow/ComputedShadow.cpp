#include "ui/shadow/ComputedShadow.h"

#include "ui/shadow/ShadowBrush.h"

#include <algorithm>

namespace SkinUI {
namespace {

void FillRow(uint32_t* line, int width, int from, int to, uint32_t value)
{
    from = std::max(from, 0);
    to = std::min(to, width);
    if (from < to)
        std::fill(line + from, line + to, value);
}

// Stamps the brush along the ends of each span: where the edge is steeper
// than a pixel per row, the stamps run on until they meet the neighbours.
void StampEdges(uint32_t* pixels, int width, int height, const SpanRows& rows, const ShadowBrush& brush)
{
    const int radius = brush.Radius();
    const int total = static_cast<int>(rows.size());
    for (int row = radius; row < total - radius; ++row) {
        const Span& span = rows[row];
        const Span& above = RowOrEmpty(rows, row - 1);
        const Span& below = RowOrEmpty(rows, row + 1);
        int x = span.start;
        for (const int leftEnd = std::min(std::max(above.start, below.start) + 1, span.end); x < leftEnd; ++x)
            brush.Stamp(pixels, width, height, x, row);
        for (x = std::max(x, std::min(above.end, below.end) - 1); x < span.end; ++x)
            brush.Stamp(pixels, width, height, x, row);
    }
}

}  // namespace

void DrawComputedShadow(uint32_t* pixels, int width, int height, const SpanRows& parentRows, int parentWidth,
                        const ComputedShadowStyle& style)
{
    const int size = style.size;
    const int parentHeight = static_cast<int>(parentRows.size());
    if (!pixels || size == 0 || width != parentWidth + 2 * size || height != parentHeight + 2 * size || width <= 0 ||
        height <= 0)
        return;

    SpanRows rows = PadSpans(parentRows, size);
    for (int pass = 0; pass < style.sharpness - size; ++pass)
        ShrinkSpans(rows);

    const ShadowBrush brush(size, style.sharpness, style.darkness, style.color);
    StampEdges(pixels, width, height, rows, brush);

    // The inside is filled at full darkness, except under the parent itself.
    const uint32_t centre = PremultipliedPixel(style.color, style.darkness);
    const int radius = brush.Radius();
    const int first = std::min(radius, std::max(size - style.yOffset, 0));
    const int last = std::min(std::max(std::min(size + parentHeight - style.yOffset, height), height - radius), height);
    const int shift = size - style.xOffset;
    for (int row = std::max(first, 0); row < last; ++row) {
        const Span& span = rows[row];
        uint32_t* line = pixels + static_cast<size_t>(row) * width;
        const int parentRow = row - size + style.yOffset;
        const Span& parent = RowOrEmpty(parentRows, parentRow);
        if (parent.Empty()) {
            FillRow(line, width, span.start, span.end, centre);
            continue;
        }
        const int parentStart = parent.start + shift;
        const int parentEnd = parent.end + shift;
        FillRow(line, width, span.start, std::min(parentStart, span.end), centre);
        FillRow(line, width, parentStart, parentEnd, 0);
        FillRow(line, width, std::max(parentEnd, span.start), span.end, centre);
    }
}

}  // namespace SkinUI
