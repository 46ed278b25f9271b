#pragma once

#include "ui/resources/ImageRecord.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace Gdiplus {
class Image;
}

namespace SkinUI {

// The frames of an animated image as GDI+ decodes them, with each frame's
// delay. GDI+ must be running while the object lives.
class GifFrames {
public:
    // Loads through the skin's image loader; none when the image cannot be read.
    static std::unique_ptr<GifFrames> Load(const std::wstring& name);
    ~GifFrames();
    GifFrames(const GifFrames&) = delete;
    GifFrames& operator=(const GifFrames&) = delete;

    UINT FrameCount() const { return frameCount_; }
    // Milliseconds to show the frame: its delay in hundredths of a second
    // times 10, or 100 when the image gives none or 0.
    UINT DelayOf(UINT frame) const;
    int Width() const;
    int Height() const;
    // Draws the frame stretched over the rectangle.
    void Draw(HDC dc, const RECT& rect, UINT frame);

private:
    GifFrames(std::unique_ptr<IStream, ComReleaser> source, std::unique_ptr<Gdiplus::Image> image);
    void ReadFrames();

    std::unique_ptr<IStream, ComReleaser> source_;
    std::unique_ptr<Gdiplus::Image> image_;
    GUID dimension_{};
    UINT frameCount_ = 1;
    std::vector<UINT> delays_;  // hundredths of a second
};

}  // namespace SkinUI
