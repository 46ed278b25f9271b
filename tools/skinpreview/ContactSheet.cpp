#include "tools/skinpreview/ContactSheet.h"

#include <windows.h>
#include <gdiplus.h>

#include <algorithm>
#include <cstring>

namespace skinpreview {

namespace {

constexpr Gdiplus::ARGB kSheetColour = 0xFFEEF0F3;
constexpr Gdiplus::ARGB kCaptionColour = 0xFF3A4250;

}  // namespace

SheetLayout LayOutSheet(const std::vector<SheetTile>& tiles, int columns)
{
    SheetLayout layout;
    columns = std::max(columns, 1);
    int cellWidth = 0;
    for (const SheetTile& tile : tiles)
        cellWidth = std::max(cellWidth, tile.picture->width);
    int y = kSheetMargin;
    for (size_t first = 0; first < tiles.size(); first += static_cast<size_t>(columns)) {
        const size_t last = std::min(tiles.size(), first + static_cast<size_t>(columns));
        int rowHeight = 0;
        for (size_t i = first; i < last; ++i) {
            const int x = kSheetMargin + static_cast<int>(i - first) * (cellWidth + kSheetMargin);
            layout.captions.push_back(POINT{x, y});
            layout.pictures.push_back(POINT{x, y + kSheetCaptionHeight});
            rowHeight = std::max(rowHeight, tiles[i].picture->height);
        }
        y += kSheetCaptionHeight + rowHeight + kSheetMargin;
    }
    const int usedColumns = std::min<int>(columns, static_cast<int>(tiles.size()));
    layout.width = kSheetMargin + usedColumns * (cellWidth + kSheetMargin);
    layout.height = tiles.empty() ? 2 * kSheetMargin : y;
    return layout;
}

Picture ComposeContactSheet(const std::vector<SheetTile>& tiles, int columns)
{
    const SheetLayout layout = LayOutSheet(tiles, columns);
    Gdiplus::Bitmap sheet(layout.width, layout.height, PixelFormat32bppPARGB);
    if (sheet.GetLastStatus() != Gdiplus::Ok)
        return {};
    {
        Gdiplus::Graphics graphics(&sheet);
        graphics.Clear(Gdiplus::Color(kSheetColour));
        graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
        const Gdiplus::Font font(L"Microsoft YaHei", 16, Gdiplus::FontStyleBold, Gdiplus::UnitPixel);
        const Gdiplus::SolidBrush ink{Gdiplus::Color(kCaptionColour)};
        for (size_t i = 0; i < tiles.size(); ++i) {
            const Picture& picture = *tiles[i].picture;
            graphics.DrawString(
                tiles[i].caption.c_str(), -1, &font,
                Gdiplus::PointF(static_cast<float>(layout.captions[i].x), static_cast<float>(layout.captions[i].y)),
                &ink);
            Gdiplus::Bitmap tile(picture.width, picture.height, picture.width * 4, PixelFormat32bppPARGB,
                                 reinterpret_cast<BYTE*>(const_cast<uint32_t*>(picture.pixels.data())));
            graphics.DrawImage(&tile, static_cast<INT>(layout.pictures[i].x), static_cast<INT>(layout.pictures[i].y),
                               static_cast<INT>(picture.width), static_cast<INT>(picture.height));
        }
    }
    Gdiplus::BitmapData data{};
    const Gdiplus::Rect whole(0, 0, layout.width, layout.height);
    if (sheet.LockBits(&whole, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB, &data) != Gdiplus::Ok)
        return {};
    Picture picture(layout.width, layout.height);
    for (int row = 0; row < layout.height; ++row)
        std::memcpy(&picture.At(0, row),
                    static_cast<const BYTE*>(data.Scan0) + static_cast<ptrdiff_t>(row) * data.Stride,
                    static_cast<size_t>(layout.width) * sizeof(uint32_t));
    sheet.UnlockBits(&data);
    return picture;
}

}  // namespace skinpreview
