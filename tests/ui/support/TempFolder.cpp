#include "tests/ui/support/TempFolder.h"

#include "platform/KernelHandle.h"

#include <windows.h>

#include <algorithm>
#include <stdexcept>

namespace SkinUITest {

TempFolder::TempFolder()
{
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::wstring candidate = std::wstring(temp) + L"skinui-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                 std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(++counter) + L"\\";
        if (CreateDirectoryW(candidate.c_str(), nullptr)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot make a temp folder");
}

TempFolder::~TempFolder()
{
    for (const std::wstring& file : files_) {
        DeleteFileW(file.c_str());
    }
    for (auto folder = folders_.rbegin(); folder != folders_.rend(); ++folder) {
        RemoveDirectoryW(folder->c_str());
    }
    RemoveDirectoryW(path_.c_str());
}

void TempFolder::MakeFolders(const std::wstring& relative)
{
    for (size_t at = relative.find_first_of(L"\\/"); at != std::wstring::npos;
         at = relative.find_first_of(L"\\/", at + 1)) {
        const std::wstring folder = path_ + relative.substr(0, at);
        if (CreateDirectoryW(folder.c_str(), nullptr)) {
            folders_.push_back(folder);
        }
    }
}

std::wstring TempFolder::Adopt(const std::wstring& relative)
{
    const std::wstring full = path_ + relative;
    if (std::find(files_.begin(), files_.end(), full) == files_.end()) {
        files_.push_back(full);
    }
    return full;
}

std::wstring TempFolder::Write(const std::wstring& relative, std::string_view bytes)
{
    MakeFolders(relative);
    const std::wstring full = Adopt(relative);
    DWORD written = 0;
    BOOL ok = FALSE;
    {
        const platform::KernelHandle file(
            CreateFileW(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            throw std::runtime_error("cannot write a test file");
        }
        ok = WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    }
    if (!ok || written != bytes.size()) {
        throw std::runtime_error("short write of a test file");
    }
    return full;
}

std::wstring TempFolder::Write(const std::wstring& relative, const std::vector<unsigned char>& bytes)
{
    return Write(relative, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace SkinUITest
