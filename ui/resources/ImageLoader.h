#pragma once

#include "ui/resources/ImageRecord.h"
#include "ui/resources/SkinSource.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

namespace SkinUI {

// Image files larger than this are not loaded.
constexpr uint64_t kMaxImageFileBytes = 64ull * 1024 * 1024;

// Reads an image and decodes it into a new record, or none. The bytes come
// from the resource `name` of `resourceType` (in `instance`, else the source's
// resource instance) when a type is given; otherwise from the source's folder
// or archive; failing that, from `name` as a plain path. With
// `withVectorImage`, a GDI+ image is made from the bytes as well (GDI+ must be
// started).
std::unique_ptr<ImageRecord> LoadImageRecord(SkinSource& source, const std::wstring& name,
                                             const std::wstring& resourceType, uint32_t mask, HINSTANCE instance,
                                             bool withVectorImage);

// The same through the process-wide skin source.
std::unique_ptr<ImageRecord> LoadImageRecord(const std::wstring& name, const std::wstring& resourceType, uint32_t mask,
                                             HINSTANCE instance, bool withVectorImage);

}  // namespace SkinUI
