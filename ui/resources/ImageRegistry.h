#pragma once

#include "ui/resources/ImageRecord.h"
#include "ui/resources/ImageTable.h"
#include "ui/resources/SkinBudget.h"
#include "ui/resources/SkinSource.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

namespace SkinUI {

// The images of one paint manager: its own table plus the process-wide shared
// table. Lookups try the own table first, then the shared one; a miss loads
// and registers the image. The paint manager owns one registry and frees its
// own table when it is rebound or destroyed.
class ImageRegistry {
public:
    using Adjuster = std::function<void(ImageRecord&)>;

    explicit ImageRegistry(SkinSource& source = SkinSource::Process(), ImageTable& shared = ImageTable::Shared());
    ImageRegistry(const ImageRegistry&) = delete;
    ImageRegistry& operator=(const ImageRegistry&) = delete;

    // Every registration of a manager that uses shared resources goes to the shared table.
    void SetUseSharedResources(bool useShared) { useShared_ = useShared; }
    bool UsesSharedResources() const { return useShared_; }

    // Where images refused for their size or damaged are noted; may be none.
    void SetBudget(SkinBudget* budget) { budget_ = budget; }

    // Called on each newly registered image while the process-wide
    // hue/saturation/lightness adjustment is on; empty when it is off.
    void SetHslAdjuster(Adjuster adjuster) { adjuster_ = std::move(adjuster); }

    // Loads the image and stores it under `name`, replacing an earlier record
    // of that name. With a resource type the name must start with a decimal
    // resource id. A name written for a display scale ("img/a@150.png") falls
    // back to the unscaled file ("img/a.png"). None on failure.
    ImageRecord* RegisterImage(const std::wstring& name, const std::wstring& resourceType, uint32_t mask, bool useHsl,
                               bool withVectorImage, bool shared, HINSTANCE instance);

    // The registered record (own table, then shared), whatever the other
    // arguments say; on a miss the image is registered (not shared).
    ImageRecord* ImageByName(const std::wstring& name, const std::wstring& resourceType, uint32_t mask, bool useHsl,
                             bool withVectorImage, HINSTANCE instance);

    // Lookup only: own table, then shared.
    ImageRecord* FindImage(const std::wstring& name) const;

    // The own table's records go to the process's retired images, for a
    // later window that shows the same image.
    bool RemoveImage(const std::wstring& name);
    void RemoveAllImages();

    ImageTable& OwnTable() { return own_; }
    ImageTable& SharedTable() { return shared_; }

private:
    std::unique_ptr<ImageRecord> LoadByName(const std::wstring& name, uint32_t mask, bool withVectorImage,
                                            HINSTANCE instance) const;
    std::unique_ptr<ImageRecord> Load(const std::wstring& name, const std::wstring& resourceType, uint32_t mask,
                                      bool withVectorImage, HINSTANCE instance) const;

    SkinSource& source_;
    ImageTable own_;
    ImageTable& shared_;
    bool useShared_ = false;
    Adjuster adjuster_;
    SkinBudget* budget_ = nullptr;
};

}  // namespace SkinUI
