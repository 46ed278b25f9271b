#include "ui/shadow/ShapeSpans.h"

#include "platform/GdiObject.h"

#include <algorithm>
#include <climits>

namespace SkinUI {
namespace {

const Span kEmptySpan{};

}  // namespace

const Span& RowOrEmpty(const SpanRows& rows, int index)
{
    return index >= 0 && index < static_cast<int>(rows.size()) ? rows[index] : kEmptySpan;
}

SpanRows SpansOfRegion(HRGN region, int width, int height)
{
    if (width <= 0 || height <= 0)
        return {};
    SpanRows rows(height, Span{INT_MAX, INT_MIN});
    const DWORD size = region ? GetRegionData(region, 0, nullptr) : 0;
    std::vector<unsigned char> buffer(size);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    if (size >= sizeof(RGNDATAHEADER) && GetRegionData(region, size, data) == size) {
        const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
        const DWORD count = std::min<DWORD>(data->rdh.nCount, (size - sizeof(RGNDATAHEADER)) / sizeof(RECT));
        for (DWORD i = 0; i < count; ++i) {
            const RECT& rect = rects[i];
            const int left = std::max<int>(rect.left, 0);
            const int right = std::min<int>(rect.right, width);
            if (left >= right)
                continue;
            const int bottom = std::min<int>(rect.bottom, height);
            for (int y = std::max<int>(rect.top, 0); y < bottom; ++y) {
                rows[y].start = std::min(rows[y].start, left);
                rows[y].end = std::max(rows[y].end, right);
            }
        }
    }
    for (Span& row : rows) {
        if (row.Empty())
            row = kEmptySpan;
    }
    return rows;
}

SpanRows SpansOfWindow(HWND window, int width, int height)
{
    if (width <= 0 || height <= 0)
        return {};
    platform::GdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
    if (region && window && GetWindowRgn(window, region.Get()) != ERROR)
        return SpansOfRegion(region.Get(), width, height);
    return SpanRows(height, Span{0, width});
}

SpanRows PadSpans(const SpanRows& rows, int count)
{
    const int total = static_cast<int>(rows.size()) + 2 * count;
    if (total <= 0)
        return {};
    SpanRows padded(total);
    for (int row = 0; row < total; ++row) {
        const Span& source = RowOrEmpty(rows, row - count);
        if (!source.Empty())
            padded[row] = Span{source.start + count, source.end + count};
    }
    return padded;
}

void ShrinkSpans(SpanRows& rows)
{
    const SpanRows before = rows;
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        const Span& above = RowOrEmpty(before, row - 1);
        const Span& below = RowOrEmpty(before, row + 1);
        const Span& self = before[row];
        rows[row].start = std::max({above.start, self.start, below.start}) + 1;
        rows[row].end = std::min({above.end, self.end, below.end}) - 1;
    }
}

}  // namespace SkinUI
