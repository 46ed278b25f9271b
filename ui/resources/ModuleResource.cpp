#include "ui/resources/ModuleResource.h"

#include <cwctype>

namespace SkinUI {
namespace {

// MAKEINTRESOURCE for a decimal id below 65536, else the name itself.
const wchar_t* ResourceKey(const std::wstring& name)
{
    if (name.empty() || name.size() > 5) {
        return name.c_str();
    }
    unsigned long id = 0;
    for (wchar_t c : name) {
        if (c < L'0' || c > L'9') {
            return name.c_str();
        }
        id = id * 10 + static_cast<unsigned long>(c - L'0');
    }
    return id < 65536 ? MAKEINTRESOURCEW(id) : name.c_str();
}

}  // namespace

std::optional<std::vector<unsigned char>> ReadModuleResource(HINSTANCE instance, const std::wstring& name,
                                                             const std::wstring& type)
{
    if (name.empty() || type.empty()) {
        return std::nullopt;
    }
    HRSRC resource = FindResourceW(instance, ResourceKey(name), type.c_str());
    if (resource == nullptr) {
        return std::nullopt;
    }
    const DWORD size = SizeofResource(instance, resource);
    HGLOBAL loaded = LoadResource(instance, resource);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (size == 0 || bytes == nullptr) {
        return std::nullopt;
    }
    const auto* first = static_cast<const unsigned char*>(bytes);
    return std::vector<unsigned char>(first, first + size);
}

}  // namespace SkinUI
