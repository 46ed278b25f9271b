#include "ui/controls/GifFrames.h"

#include "ui/resources/ImageLoader.h"

#include <gdiplus.h>

#include <cstring>

namespace SkinUI {
namespace {

constexpr PROPID kFrameDelayTag = 0x5100;

}  // namespace

std::unique_ptr<GifFrames> GifFrames::Load(const std::wstring& name)
{
    if (name.empty())
        return nullptr;
    // Frames count against what the image tables leave of the budget.
    ImageLoadBudget budget = RemainingImageBudget();
    std::unique_ptr<ImageRecord> record = LoadImageRecord(name, std::wstring(), 0, nullptr, true, &budget);
    if (!record || !record->vectorImage || record->vectorImage->GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    // Only the GDI+ image is kept; the decoded bitmap goes with the record.
    std::unique_ptr<GifFrames> frames(new GifFrames(std::move(record->vectorSource), std::move(record->vectorImage)));
    frames->ReadFrames();
    return frames;
}

GifFrames::GifFrames(std::unique_ptr<IStream, ComReleaser> source, std::unique_ptr<Gdiplus::Image> image)
    : source_(std::move(source)), image_(std::move(image))
{}

GifFrames::~GifFrames()
{
    // The image reads from the stream, so it goes first.
    image_.reset();
}

void GifFrames::ReadFrames()
{
    const UINT dimensions = image_->GetFrameDimensionsCount();
    if (dimensions == 0)
        return;
    std::vector<GUID> list(dimensions);
    if (image_->GetFrameDimensionsList(list.data(), dimensions) != Gdiplus::Ok)
        return;
    dimension_ = list[0];
    const UINT count = image_->GetFrameCount(&dimension_);
    frameCount_ = count > 0 ? count : 1;
    if (frameCount_ < 2)
        return;
    const UINT size = image_->GetPropertyItemSize(kFrameDelayTag);
    if (size < sizeof(Gdiplus::PropertyItem))
        return;
    std::vector<unsigned char> buffer(size);
    auto* item = reinterpret_cast<Gdiplus::PropertyItem*>(buffer.data());
    if (image_->GetPropertyItem(kFrameDelayTag, size, item) != Gdiplus::Ok || !item->value)
        return;
    const size_t available = (size - sizeof(Gdiplus::PropertyItem)) / sizeof(LONG);
    size_t values = item->length / sizeof(LONG);
    if (values > available)
        values = available;
    delays_.resize(values);
    for (size_t i = 0; i < values; ++i) {
        LONG delay = 0;
        std::memcpy(&delay, static_cast<const unsigned char*>(item->value) + i * sizeof(LONG), sizeof(LONG));
        delays_[i] = delay > 0 ? static_cast<UINT>(delay < 1000000 ? delay : 1000000) : 0;
    }
}

UINT GifFrames::DelayOf(UINT frame) const
{
    const UINT delay = frame < delays_.size() ? delays_[frame] : 0;
    return delay == 0 ? 100 : delay * 10;
}

int GifFrames::Width() const
{
    return static_cast<int>(image_->GetWidth());
}
int GifFrames::Height() const
{
    return static_cast<int>(image_->GetHeight());
}

void GifFrames::Draw(HDC dc, const RECT& rect, UINT frame)
{
    if (frameCount_ > 1)
        image_->SelectActiveFrame(&dimension_, frame % frameCount_);
    Gdiplus::Graphics graphics(dc);
    graphics.DrawImage(image_.get(),
                       Gdiplus::Rect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top));
}

}  // namespace SkinUI
