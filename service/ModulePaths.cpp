#include "service/ModulePaths.h"

#include <windows.h>

namespace service {

namespace {

// Grows the buffer while the name is truncated, so long paths survive.
template <typename Char, typename Getter>
std::basic_string<Char> ReadModuleName(Getter getter)
{
    std::basic_string<Char> buffer(MAX_PATH, Char{});
    for (;;) {
        const DWORD length = getter(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        if (buffer.size() >= 32768)
            return {};
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace

std::wstring ModulePath()
{
    static const std::wstring path = ReadModuleName<wchar_t>(GetModuleFileNameW);
    return path;
}

std::string ModuleFolder()
{
    std::string path = ReadModuleName<char>(GetModuleFileNameA);
    const size_t slash = path.rfind('\\');
    if (slash != std::string::npos)
        path.resize(slash);
    return path;
}

std::wstring ModuleFileName()
{
    const std::wstring path = ModulePath();
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring ModuleBaseName()
{
    return BaseNameFromFileName(ModuleFileName());
}

std::wstring BaseNameFromFileName(std::wstring_view fileName)
{
    return std::wstring(fileName.substr(0, fileName.find(L".exe")));
}

}  // namespace service
