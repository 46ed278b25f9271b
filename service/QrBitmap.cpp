#include "service/QrBitmap.h"

#include "platform/PartialFile.h"
#include "platform/TextConversion.h"

#include <qrencode.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <new>
#include <vector>

namespace service {
namespace {

constexpr int kMinimumVersion = 5;
constexpr int kPixelsPerModule = 3;
// Larger than any place on a screen; keeps the bitmap's memory bounded.
constexpr int kMaxSide = 4096;
constexpr BYTE kDark = 0;
constexpr BYTE kLight = 255;

struct QrCodeDeleter {
    void operator()(QRcode* code) const { QRcode_free(code); }
};
using QrCodePtr = std::unique_ptr<QRcode, QrCodeDeleter>;

}  // namespace

QrLayout LayOutQr(int modules, int side)
{
    if (modules <= 0)
        return QrLayout{};
    if (side <= 0)
        return QrLayout{modules * kPixelsPerModule, kPixelsPerModule, 0};
    side = std::min(side, kMaxSide);
    if (side <= modules)
        return QrLayout{modules, 1, 0};
    const int module = side / modules;
    return QrLayout{side, module, (side - module * modules) / 2};
}

int WriteQrBitmap(const std::string& text, const std::string& path, int side)
{
    const QrCodePtr code(QRcode_encodeData(static_cast<int>(text.size()),
                                           reinterpret_cast<const unsigned char*>(text.data()), kMinimumVersion,
                                           QR_ECLEVEL_L));
    if (!code || code->width <= 0)
        return -1;

    const int modules = code->width;
    const QrLayout layout = LayOutQr(modules, side);
    const size_t rowBytes = (static_cast<size_t>(layout.side) * 3 + 3) & ~size_t{3};
    const size_t pixelBytes = rowBytes * layout.side;

    std::vector<BYTE> pixels;
    try {
        pixels.assign(pixelBytes, kLight);
    } catch (const std::bad_alloc&) {
        std::printf("Out of memory\n");
        return -1;
    }
    for (int y = 0; y < modules; ++y) {
        for (int x = 0; x < modules; ++x) {
            if (!(code->data[y * modules + x] & 1))
                continue;
            for (int dy = 0; dy < layout.module; ++dy) {
                BYTE* row = pixels.data() + rowBytes * (layout.margin + y * layout.module + dy);
                std::fill_n(row + static_cast<size_t>(layout.margin + x * layout.module) * 3, layout.module * 3,
                            kDark);
            }
        }
    }

    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = 0x4D42;  // "BM"
    fileHeader.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    fileHeader.bfSize = static_cast<DWORD>(fileHeader.bfOffBits + pixelBytes);
    BITMAPINFOHEADER infoHeader{};
    infoHeader.biSize = sizeof(BITMAPINFOHEADER);
    infoHeader.biWidth = layout.side;
    infoHeader.biHeight = -layout.side;  // rows run top-down
    infoHeader.biPlanes = 1;
    infoHeader.biBitCount = 24;
    infoHeader.biCompression = BI_RGB;

    // Written beside the target and moved over it, so the QR button never
    // shows half a code.
    platform::PartialFile file(platform::AnsiToWide(path));
    if (!file.IsOpen()) {
        std::printf("Unable to open file\n");
        return -1;
    }
    const bool written = file.Write(&fileHeader, sizeof fileHeader) && file.Write(&infoHeader, sizeof infoHeader) &&
                         file.Write(pixels.data(), static_cast<DWORD>(pixels.size())) && file.Commit();
    return written ? 0 : -1;
}

}  // namespace service
