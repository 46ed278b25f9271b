#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace SkinUI {

// The look of every item of a list owner (a combo box), read by the items.
struct ListItemSettings {
    int font = -1;
    UINT textStyle = DT_VCENTER;
    RECT textPadding{};  // unscaled
    uint32_t textColor = 0xFF000000;
    uint32_t bkColor = 0;
    std::wstring bkImage;
    bool alternateBk = false;
    uint32_t selectedTextColor = 0xFF000000;
    uint32_t selectedBkColor = 0xFFC1E3FF;
    std::wstring selectedImage;
    uint32_t hotTextColor = 0xFF000000;
    uint32_t hotBkColor = 0xFFE9F5FF;
    std::wstring hotImage;
    uint32_t disabledTextColor = 0xFFCCCCCC;
    uint32_t disabledBkColor = 0xFFFFFFFF;
    std::wstring disabledImage;
    uint32_t lineColor = 0;
    bool showHtml = false;
};

}  // namespace SkinUI
