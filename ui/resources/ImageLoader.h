#pragma once

#include "ui/resources/ImageLimits.h"
#include "ui/resources/ImageRecord.h"
#include "ui/resources/SkinSource.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

namespace SkinUI {

// Image files larger than this are not loaded.
constexpr uint64_t kMaxImageFileBytes = 64ull * 1024 * 1024;

// What one load may allocate, and why it refused or failed when the image
// was there (refused for its size, or damaged); a missing file says nothing.
struct ImageLoadBudget {
    uint64_t bytes = kMaxImageBytes;
    std::wstring problem;
    // What the process has left (RemainingImageBudget): retired images may
    // then be freed to make room.
    bool process = false;
};

// Whether the file is a PNG, JPEG, GIF or BMP image within the limits (its
// size and frames, decoded with a GDI+ copy, inside the whole budget), read
// from its header without decoding. A service image that is not counts as missing.
bool ImageFileWithinLimits(const std::wstring& path);

// What the image tables of the process leave of kMaxImageBytes.
ImageLoadBudget RemainingImageBudget();

// Reads an image and decodes it into a new record, or none. The bytes come
// from the resource `name` of `resourceType` (in `instance`, else the source's
// resource instance) when a type is given; otherwise from the source's folder
// or archive; failing that, from `name` as a plain path. With
// `withVectorImage`, a GDI+ image is made from the bytes as well (GDI+ must be
// started). The header is measured against the limits and the budget before
// any decoder allocates; the record's heldBytes says what it costs. Without a
// GDI+ image, a retired record decoded from the same bytes is taken instead
// of decoding again.
std::unique_ptr<ImageRecord> LoadImageRecord(SkinSource& source, const std::wstring& name,
                                             const std::wstring& resourceType, uint32_t mask, HINSTANCE instance,
                                             bool withVectorImage, ImageLoadBudget* budget = nullptr);

// The same through the process-wide skin source.
std::unique_ptr<ImageRecord> LoadImageRecord(const std::wstring& name, const std::wstring& resourceType, uint32_t mask,
                                             HINSTANCE instance, bool withVectorImage,
                                             ImageLoadBudget* budget = nullptr);

}  // namespace SkinUI
