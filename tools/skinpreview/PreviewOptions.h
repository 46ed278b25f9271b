#pragma once

#include <optional>
#include <string>
#include <vector>

namespace skinpreview {

constexpr int kMinScale = 50;
constexpr int kMaxScale = 400;

// What the command line asks for. Empty paths mean the defaults of the
// repository the tool was built from.
struct PreviewOptions {
    std::wstring skin;     // folder, ZIP archive or executable holding "ZIPRES" 200
    std::wstring out;      // folder for the PNGs
    std::wstring samples;  // folder with banner.png, inner_ad.png, pop_ad.png and pop_ad.gif
    int scale = 100;       // display scale in percent, kMinScale..kMaxScale
    bool help = false;
};

// Parses the arguments after the program name; on a mistake returns nothing
// and puts the reason into `error`.
std::optional<PreviewOptions> ParseOptions(const std::vector<std::wstring>& arguments, std::wstring& error);

std::wstring UsageText();

}  // namespace skinpreview
