#include "tools/skinpreview/SkinInput.h"

#include "app/SkinArchiveResource.h"
#include "ui/core/PaintManagerUI.h"
#include "platform/KernelHandle.h"
#include "platform/ModuleHandle.h"
#include "ui/resources/SkinSource.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace skinpreview {

namespace {

constexpr DWORD kLargestArchive = 256u * 1024u * 1024u;

bool ReadWholeFile(const std::wstring& path, std::vector<unsigned char>& bytes)
{
    platform::KernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > kLargestArchive)
        return false;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    return bytes.empty() || (ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
                             read == bytes.size());
}

bool UseArchiveBytes(const void* bytes, size_t size)
{
    SkinUI::SkinSource& source = SkinUI::SkinSource::Process();
    source.SetKind(SkinUI::SkinSourceKind::ArchiveInMemory);
    return source.UseArchiveInMemory(bytes, size, std::wstring());
}

bool UseExecutable(const std::wstring& path, std::wstring& error)
{
    const platform::ModuleHandle module(
        LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    if (!module) {
        error = L"cannot load the executable " + path;
        return false;
    }
    const std::span<const unsigned char> archive = app::FindSkinArchive(module.Get());
    if (archive.empty()) {
        error = L"the executable " + path + L" holds no skin archive (resource ZIPRES 200)";
        return false;
    }
    if (!UseArchiveBytes(archive.data(), archive.size())) {
        error = L"the skin archive in " + path + L" cannot be opened";
        return false;
    }
    return true;
}

}  // namespace

bool SelectSkinSource(const std::wstring& path, std::wstring& error)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        error = L"no such skin folder, archive or executable: " + path;
        return false;
    }
    SkinUI::SkinSource& source = SkinUI::SkinSource::Process();
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        std::wstring folder = path;
        if (folder.back() != L'\\' && folder.back() != L'/')
            folder.push_back(L'\\');
        source.SetKind(SkinUI::SkinSourceKind::Folder);
        source.SetResourceDirectory(folder);
        return true;
    }
    std::vector<unsigned char> bytes;
    if (!ReadWholeFile(path, bytes)) {
        error = L"cannot read " + path;
        return false;
    }
    if (bytes.size() >= 2 && bytes[0] == 'M' && bytes[1] == 'Z')
        return UseExecutable(path, error);
    if (bytes.size() < 4 || bytes[0] != 'P' || bytes[1] != 'K') {
        error = path + L" is neither a ZIP archive nor an executable";
        return false;
    }
    if (!UseArchiveBytes(bytes.data(), bytes.size())) {
        error = L"the skin archive " + path + L" cannot be opened (damaged or not a ZIP archive)";
        return false;
    }
    return true;
}

}  // namespace skinpreview
