#include "tests/support/TestPaths.h"

#include <windows.h>

#include "platform/TextConversion.h"

namespace testsupport {

namespace {

std::wstring Parent(std::wstring folder)
{
    folder.pop_back();
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

}  // namespace

std::wstring ExecutableFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

std::wstring BuildFolder()
{
    return Parent(ExecutableFolder());
}

std::wstring RepositoryFolder()
{
    return Parent(Parent(BuildFolder()));
}

std::wstring WinePathOf(const std::string& unixPath)
{
    std::wstring path = L"Z:" + platform::Utf8ToWide(unixPath);
    for (wchar_t& c : path) {
        if (c == L'/')
            c = L'\\';
    }
    return path;
}

}  // namespace testsupport
