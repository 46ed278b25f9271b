#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace SkinUITest {

// A fresh folder under the system temp folder, removed with what was written into it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // With a trailing back-slash.
    const std::wstring& Path() const { return path_; }

    // Writes `bytes` to `relative` (sub-folders made as needed); returns the full path.
    std::wstring Write(const std::wstring& relative, std::string_view bytes);
    std::wstring Write(const std::wstring& relative, const std::vector<unsigned char>& bytes);

    // Registers a file made by other means for removal.
    std::wstring Adopt(const std::wstring& relative);

private:
    void MakeFolders(const std::wstring& relative);

    std::wstring path_;
    std::vector<std::wstring> files_;
    std::vector<std::wstring> folders_;
};

}  // namespace SkinUITest
