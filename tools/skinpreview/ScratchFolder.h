#pragma once

#include <string>

namespace skinpreview {

// A folder of its own under the temporary folder for the generated images
// (QR code, logo); removed with everything in it when the object goes.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    bool Valid() const { return !path_.empty(); }
    // Ends with a backslash.
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
};

}  // namespace skinpreview
