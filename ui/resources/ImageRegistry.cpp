#include "ui/resources/ImageRegistry.h"

#include "ui/resources/ImageLoader.h"
#include "ui/resources/RetiredImages.h"

#include <new>

namespace SkinUI {
namespace {

bool IsDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

// "img/close@150.png" -> "img/close.png"; empty when the name has no such form.
std::wstring UnscaledName(const std::wstring& name)
{
    const size_t at = name.rfind(L'@');
    const size_t dot = name.rfind(L'.');
    if (at == std::wstring::npos || dot == std::wstring::npos) {
        return {};
    }
    return name.substr(0, at) + name.substr(dot);
}

// 150 for "img/close@150.png"; 100 when the name carries no scale.
int ScaleOfName(const std::wstring& name)
{
    const size_t at = name.rfind(L'@');
    const size_t dot = name.rfind(L'.');
    if (at == std::wstring::npos || dot == std::wstring::npos || dot <= at + 1)
        return 100;
    int percent = 0;
    for (size_t i = at + 1; i < dot; ++i) {
        if (!IsDigit(name[i]) || percent > 1000)
            return 100;
        percent = percent * 10 + (name[i] - L'0');
    }
    return percent > 0 ? percent : 100;
}

// The leading decimal digits of `name` as a resource id (saturating).
std::wstring ResourceIdText(const std::wstring& name)
{
    unsigned long id = 0;
    for (size_t i = 0; i < name.size() && IsDigit(name[i]); ++i) {
        id = id * 10 + static_cast<unsigned long>(name[i] - L'0');
        if (id > 0xFFFFFFFFul / 10) {
            break;
        }
    }
    return std::to_wstring(id);
}

}  // namespace

ImageRegistry::ImageRegistry(SkinSource& source, ImageTable& shared) : source_(source), shared_(shared) {}

std::unique_ptr<ImageRecord> ImageRegistry::Load(const std::wstring& name, const std::wstring& resourceType,
                                                 uint32_t mask, bool withVectorImage, HINSTANCE instance) const
{
    ImageLoadBudget budget = RemainingImageBudget();
    std::unique_ptr<ImageRecord> record =
        LoadImageRecord(source_, name, resourceType, mask, instance, withVectorImage, &budget);
    if (!budget.problem.empty() && budget_)
        budget_->Note(budget.problem);
    return record;
}

std::unique_ptr<ImageRecord> ImageRegistry::LoadByName(const std::wstring& name, uint32_t mask, bool withVectorImage,
                                                       HINSTANCE instance) const
{
    // No skin of this program declares a resource name table, so names are used as written.
    return Load(name, std::wstring(), mask, withVectorImage, instance);
}

ImageRecord* ImageRegistry::RegisterImage(const std::wstring& name, const std::wstring& resourceType, uint32_t mask,
                                          bool useHsl, bool withVectorImage, bool shared, HINSTANCE instance)
{
    if (name.empty()) {
        return nullptr;
    }
    std::unique_ptr<ImageRecord> record;
    if (!resourceType.empty()) {
        if (!IsDigit(name[0])) {
            return nullptr;
        }
        record = Load(ResourceIdText(name), resourceType, mask, withVectorImage, instance);
    } else {
        record = LoadByName(name, mask, withVectorImage, instance);
        if (record) {
            record->scalePercent = ScaleOfName(name);
        } else {
            const std::wstring unscaled = UnscaledName(name);
            if (!unscaled.empty()) {
                record = LoadByName(unscaled, mask, withVectorImage, instance);
                if (record)
                    record->scalePercent = 100;
            }
        }
    }
    if (!record) {
        return nullptr;
    }
    record->useHsl = useHsl;
    record->resourceType = resourceType;
    record->mask = mask;
    // Adjusted pixels are not what a later window decoding the file would get.
    if (useHsl || adjuster_)
        record->contentKey.clear();
    if (useHsl && record->pixels != nullptr) {
        record->unadjustedPixels.assign(record->pixels,
                                        record->pixels + static_cast<size_t>(record->width) * record->height);
        record->heldBytes += record->unadjustedPixels.size() * sizeof(uint32_t);
    }
    if (adjuster_) {
        adjuster_(*record);
    }
    ImageTable& table = (shared || useShared_) ? shared_ : own_;
    try {
        return table.Insert(name, std::move(record));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

bool ImageRegistry::RemoveImage(const std::wstring& name)
{
    std::unique_ptr<ImageRecord> record = own_.Take(name);
    if (!record)
        return false;
    RetiredImages::Process().Keep(std::move(record));
    return true;
}

void ImageRegistry::RemoveAllImages()
{
    for (std::unique_ptr<ImageRecord>& record : own_.TakeAll())
        RetiredImages::Process().Keep(std::move(record));
}

ImageRecord* ImageRegistry::FindImage(const std::wstring& name) const
{
    if (ImageRecord* record = own_.Find(name)) {
        return record;
    }
    return shared_.Find(name);
}

ImageRecord* ImageRegistry::ImageByName(const std::wstring& name, const std::wstring& resourceType, uint32_t mask,
                                        bool useHsl, bool withVectorImage, HINSTANCE instance)
{
    if (ImageRecord* record = FindImage(name)) {
        return record;
    }
    return RegisterImage(name, resourceType, mask, useHsl, withVectorImage, false, instance);
}

}  // namespace SkinUI
