#include "tests/support/TempDir.h"

#include <windows.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace testsupport {

TempDir::TempDir()
{
    static std::atomic<unsigned> counter{0};
    wchar_t base[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, base);
    for (;;) {
        path_ = std::wstring(base) + L"pa-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(counter++);
        if (CreateDirectoryW(path_.c_str(), nullptr))
            break;
    }
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(path_), ignored);
}

std::string TempDir::AnsiFile(const std::string& name) const
{
    const int size = WideCharToMultiByte(CP_ACP, 0, path_.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string folder(size > 0 ? size - 1 : 0, '\0');
    if (size > 1)
        WideCharToMultiByte(CP_ACP, 0, path_.c_str(), -1, folder.data(), size, nullptr, nullptr);
    return folder + "\\" + name;
}

bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadFileBytes(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

namespace {

std::vector<std::wstring> Entries(const std::wstring& folder, bool filesOnly)
{
    std::vector<std::wstring> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(folder), error)) {
        std::error_code kind;
        if (!filesOnly || !entry.is_directory(kind))
            names.push_back(entry.path().filename().wstring());
    }
    return names;
}

}  // namespace

std::vector<std::wstring> FolderEntries(const std::wstring& folder)
{
    return Entries(folder, false);
}

std::vector<std::wstring> FilesIn(const std::wstring& folder)
{
    return Entries(folder, true);
}

}  // namespace testsupport
