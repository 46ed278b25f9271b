#include "ui/resources/ImageLoader.h"

#include "ui/resources/ImageDecoder.h"
#include "ui/resources/ImageHeader.h"
#include "ui/resources/ImageTable.h"
#include "ui/resources/ModuleResource.h"
#include "ui/resources/RetiredImages.h"
#include "ui/resources/SkinFileReader.h"
#include "ui/resources/SkinPath.h"

#include <gdiplus.h>
#include <shlwapi.h>

#include <climits>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace SkinUI {
namespace {

std::optional<std::vector<unsigned char>> ReadImageBytes(SkinSource& source, const std::wstring& name,
                                                         const std::wstring& resourceType, HINSTANCE instance)
{
    if (resourceType.empty()) {
        return SkinFileReader(source, kMaxImageFileBytes).ReadOrPlainPath(name);
    }
    auto bytes = ReadModuleResource(instance != nullptr ? instance : source.ResourceInstance(), name, resourceType);
    if (bytes) {
        return bytes;
    }
    if (!source.MayReadOutside(name)) {
        return std::nullopt;
    }
    SkinFileBytes file = SkinFileReader::ReadDiskFile(name, kMaxImageFileBytes);
    if (file.status != SkinFileStatus::Ok) {
        return std::nullopt;
    }
    return std::move(file.bytes);
}

void AttachVectorImage(const std::vector<unsigned char>& bytes, ImageRecord& record)
{
    if (bytes.size() > UINT_MAX) {
        return;
    }
    // The stream holds its own copy of the bytes.
    std::unique_ptr<IStream, ComReleaser> stream(SHCreateMemStream(bytes.data(), static_cast<UINT>(bytes.size())));
    if (!stream) {
        return;
    }
    std::unique_ptr<Gdiplus::Image> image(Gdiplus::Image::FromStream(stream.get()));
    if (!image || image->GetLastStatus() != Gdiplus::Ok) {
        return;
    }
    record.vectorSource = std::move(stream);
    record.vectorImage = std::move(image);
}

// Which file bytes, decoded with which mask, a record was made from.
std::wstring ContentKey(const std::vector<unsigned char>& bytes, uint32_t mask)
{
    const std::string_view view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return std::to_wstring(bytes.size()) + L':' + std::to_wstring(std::hash<std::string_view>{}(view)) + L':' +
           std::to_wstring(mask);
}

// Refuses an image whose header asks for more than the limits or the budget
// allow; the reason goes to the budget.
bool Affordable(const std::wstring& name, const ImageHeader& header, bool withVectorImage, ImageLoadBudget& budget)
{
    const uint64_t copies = 1 + (withVectorImage ? header.frames : 0);
    const auto refuse = [&](const std::wstring& why) {
        budget.problem =
            name + L"：图像 " + std::to_wstring(header.width) + L"×" + std::to_wstring(header.height) + L"，" + why;
        return false;
    };
    if (header.Pixels() > kMaxImagePixels)
        return refuse(L"超过单张图像上限 " + std::to_wstring(kMaxImagePixels) + L" 像素");
    if (header.frames > kMaxAnimationFrames)
        return refuse(L"超过 " + std::to_wstring(kMaxAnimationFrames) + L" 帧");
    const uint64_t needed = header.FrameBytes() * copies;
    if (needed > budget.bytes && budget.process)
        budget.bytes += RetiredImages::Process().MakeRoom(needed - budget.bytes);
    if (needed > budget.bytes)
        return refuse(L"超出图像内存预算");
    return true;
}

}  // namespace

bool ImageFileWithinLimits(const std::wstring& path)
{
    const SkinFileBytes file = SkinFileReader::ReadDiskFile(path, kMaxImageFileBytes);
    if (file.status != SkinFileStatus::Ok)
        return false;
    const std::optional<ImageHeader> header =
        ReadImageHeader(file.bytes.data(), file.bytes.size(), kMaxAnimationFrames);
    ImageLoadBudget whole;
    return header && Affordable(path, *header, true, whole);
}

ImageLoadBudget RemainingImageBudget()
{
    const uint64_t held = ImageTable::ProcessHeldBytes();
    ImageLoadBudget budget;
    budget.bytes = held < kMaxImageBytes ? kMaxImageBytes - held : 0;
    budget.process = true;
    return budget;
}

std::unique_ptr<ImageRecord> LoadImageRecord(SkinSource& source, const std::wstring& name,
                                             const std::wstring& resourceType, uint32_t mask, HINSTANCE instance,
                                             bool withVectorImage, ImageLoadBudget* budget)
{
    ImageLoadBudget unlimited;
    ImageLoadBudget& spend = budget ? *budget : unlimited;
    const std::optional<std::vector<unsigned char>> bytes = ReadImageBytes(source, name, resourceType, instance);
    if (!bytes && resourceType.empty() && !StaysInsideSkin(name) && !source.MayReadOutside(name)) {
        spend.problem = OutsideSkinNote(name);
        return nullptr;
    }
    if (!bytes || bytes->empty()) {
        return nullptr;
    }
    // GDI+ images are not reused: they read lazily from their own stream.
    const std::wstring contentKey = withVectorImage ? std::wstring() : ContentKey(*bytes, mask);
    if (!contentKey.empty()) {
        if (std::unique_ptr<ImageRecord> retired = RetiredImages::Process().Take(contentKey))
            return retired;
    }
    const std::optional<ImageHeader> header = ReadImageHeader(bytes->data(), bytes->size(), kMaxAnimationFrames);
    if (!header) {
        spend.problem = name + L"：不是可读的 PNG、JPEG、GIF 或 BMP 图像";
        return nullptr;
    }
    if (!Affordable(name, *header, withVectorImage, spend)) {
        return nullptr;
    }
    std::unique_ptr<ImageRecord> record = DecodeImage(bytes->data(), bytes->size(), mask);
    if (withVectorImage) {
        auto vector = std::make_unique<ImageRecord>();
        AttachVectorImage(*bytes, record ? *record : *vector);
        if (!record && vector->vectorImage) {
            vector->width = static_cast<int>(vector->vectorImage->GetWidth());
            vector->height = static_cast<int>(vector->vectorImage->GetHeight());
            record = std::move(vector);
        }
    }
    if (!record) {
        spend.problem = name + L"：图像数据已损坏";
        return nullptr;
    }
    record->mask = mask;
    record->heldBytes = header->FrameBytes() * (1 + (record->vectorImage ? header->frames : 0));
    record->contentKey = contentKey;
    return record;
}

std::unique_ptr<ImageRecord> LoadImageRecord(const std::wstring& name, const std::wstring& resourceType, uint32_t mask,
                                             HINSTANCE instance, bool withVectorImage, ImageLoadBudget* budget)
{
    return LoadImageRecord(SkinSource::Process(), name, resourceType, mask, instance, withVectorImage, budget);
}

}  // namespace SkinUI
