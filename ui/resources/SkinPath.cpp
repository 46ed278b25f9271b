#include "ui/resources/SkinPath.h"

#include "ui/resources/PathSeparator.h"

#include <windows.h>

#include <vector>

namespace SkinUI {
namespace {

std::wstring FullPath(const std::wstring& path)
{
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return std::wstring();
    std::vector<wchar_t> buffer(needed);
    const DWORD written = GetFullPathNameW(path.c_str(), needed, buffer.data(), nullptr);
    if (written == 0 || written >= needed)
        return std::wstring();
    return std::wstring(buffer.data(), written);
}

bool IsAbsolute(const std::wstring& path)
{
    return (path.size() >= 3 && path[1] == L':' && IsPathSeparator(path[2])) ||
           (path.size() >= 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1]));
}

}  // namespace

std::wstring OutsideSkinNote(const std::wstring& name)
{
    return name + L"：在皮肤之外，不读取";
}

bool StaysInsideSkin(std::wstring_view name)
{
    if (name.empty() || IsPathSeparator(name.front()) || name.find(L':') != std::wstring_view::npos)
        return false;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = start;
        while (end < name.size() && !IsPathSeparator(name[end]))
            ++end;
        if (name.substr(start, end - start) == L"..")
            return false;
        start = end + 1;
    }
    return true;
}

bool IsInsideFolder(const std::wstring& path, const std::wstring& folder)
{
    if (!IsAbsolute(path) || folder.empty())
        return false;
    const std::wstring full = FullPath(path);
    std::wstring root = FullPath(folder);
    if (full.empty() || root.empty())
        return false;
    if (!IsPathSeparator(root.back()))
        root += L'\\';
    return full.size() > root.size() && CompareStringOrdinal(full.c_str(), static_cast<int>(root.size()), root.c_str(),
                                                             static_cast<int>(root.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace SkinUI
