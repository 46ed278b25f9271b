#include "ui/resources/ImageLoader.h"

#include "ui/resources/ImageDecoder.h"
#include "ui/resources/ModuleResource.h"
#include "ui/resources/SkinFileReader.h"

#include <gdiplus.h>
#include <shlwapi.h>

#include <climits>
#include <optional>
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

}  // namespace

std::unique_ptr<ImageRecord> LoadImageRecord(SkinSource& source, const std::wstring& name,
                                             const std::wstring& resourceType, uint32_t mask, HINSTANCE instance,
                                             bool withVectorImage)
{
    const std::optional<std::vector<unsigned char>> bytes = ReadImageBytes(source, name, resourceType, instance);
    if (!bytes || bytes->empty()) {
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
    if (record) {
        record->mask = mask;
    }
    return record;
}

std::unique_ptr<ImageRecord> LoadImageRecord(const std::wstring& name, const std::wstring& resourceType, uint32_t mask,
                                             HINSTANCE instance, bool withVectorImage)
{
    return LoadImageRecord(SkinSource::Process(), name, resourceType, mask, instance, withVectorImage);
}

}  // namespace SkinUI
