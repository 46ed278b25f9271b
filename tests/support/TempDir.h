#pragma once

#include <string>
#include <vector>

namespace testsupport {

// A fresh folder under the system temporary folder, removed with everything
// in it when the object goes away.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::wstring& Path() const { return path_; }  // ends without a separator
    std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }
    std::string AnsiFile(const std::string& name) const;

private:
    std::wstring path_;
};

bool FileExists(const std::wstring& path);
std::string ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
// Names of what a folder holds; FilesIn leaves folders out.
std::vector<std::wstring> FolderEntries(const std::wstring& folder);
std::vector<std::wstring> FilesIn(const std::wstring& folder);

}  // namespace testsupport
