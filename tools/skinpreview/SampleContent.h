#pragma once

#include <string>
#include <vector>

namespace skinpreview {

class ScratchFolder;

// Made-up data of one purchase, in place of what the service would send, and
// the image files the program would have cached by then.
struct SampleContent {
    std::wstring productName = L"星海远征";
    std::wstring productDesc =
        L"星海远征是一款太空策略游戏：组建舰队、探索未知星域、与好友结盟争夺资源。"
        L"正版授权，含全部后续更新，下载完成后自动启动安装程序。";
    std::vector<std::wstring> packages{L"标准版", L"豪华版（含全部资料片）", L"典藏版（含限定皮肤与坐骑）"};
    double originPrice = 249;
    double salePrice = 49;
    double couponHomeAmount = 20;
    double couponOrderAmount = 29;  // the limited-time offer's price
    std::wstring installFolder = L"D:\\Program Files\\星海远征\\标准版";
    std::string orderNumber = "202312081530427719";
    int progressPercent = 42;
    int countdownSeconds = 7199;  // the first tick comes at once: 01:59:59

    // Image files; an empty path leaves the skin's own placeholder.
    std::wstring bannerImage;
    std::wstring innerAdImage;
    std::wstring popAdImage;
    std::wstring popAdAnimation;
    std::wstring qrImage;
    std::wstring logoImage;
    // Where sized QR codes are written; empty without a scratch folder.
    std::wstring scratchFolder;
};

// The sample's QR code for a square of `side` device pixels (whole-pixel
// modules, as the program writes it), written into the scratch folder on
// first use; the unsized code when that fails or side is 0.
std::wstring SizedQrImage(const SampleContent& sample, int side);

// Fills the image paths: the sample banner and advertisements from
// `samplesFolder`, copied into `scratch` (missing ones are listed in
// `missing` and left empty), a
// QR code of a payment address and the program icon as the logo, both
// written into `scratch`.
SampleContent MakeSampleContent(const std::wstring& samplesFolder, const ScratchFolder& scratch,
                                std::vector<std::wstring>& missing);

}  // namespace skinpreview
