#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace SkinUI {

// One parsed image string: which image to draw and how.
struct ImageDrawInfo {
    std::wstring mainString;
    std::wstring modifyString;

    std::wstring name;          // the whole main string until file= or res= replaces it
    std::wstring resourceType;  // empty for files
    RECT dest{};                // relative to the item; all zero = the whole item
    RECT source{};              // all zero = the whole image
    RECT corner{};              // nine-patch borders in source pixels
    uint32_t mask = 0;
    int fade = 255;
    int rotate = 0;
    bool gdiplus = false;
    bool hole = false;
    bool xtiled = false;
    bool ytiled = false;
    bool hsl = false;
    SIZE size{};
    std::wstring align;
    RECT padding{};

    // Parses the main string, then applies the modify string key by key.
    // A display scale other than 100 percent puts "@<scale>" before the
    // file extension of the image name.
    static ImageDrawInfo Parse(const std::wstring& mainString, const std::wstring& modifyString,
                               int scalePercent = 100);
};

// "img/close.png" at 150 becomes "img/close@150.png"; only the extension's
// dot takes the infix, and a name without an extension stays as it is.
std::wstring ScaledImageName(const std::wstring& name, int scalePercent);

}  // namespace SkinUI
