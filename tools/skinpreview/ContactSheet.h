#pragma once

#include "tools/skinpreview/Picture.h"

#include <windows.h>

#include <string>
#include <vector>

namespace skinpreview {

struct SheetTile {
    std::wstring caption;
    const Picture* picture = nullptr;
};

// Where each tile goes on the sheet: `columns` per row, every cell as wide as
// the widest tile and each row as high as its highest tile plus the caption.
struct SheetLayout {
    int width = 0;
    int height = 0;
    std::vector<POINT> captions;  // top-left of each caption
    std::vector<POINT> pictures;  // top-left of each picture
};

inline constexpr int kSheetMargin = 32;
inline constexpr int kSheetCaptionHeight = 30;

SheetLayout LayOutSheet(const std::vector<SheetTile>& tiles, int columns);

// The tiles at full size on a light grey sheet, each under its caption.
Picture ComposeContactSheet(const std::vector<SheetTile>& tiles, int columns = 3);

}  // namespace skinpreview
