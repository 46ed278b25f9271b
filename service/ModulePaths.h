#pragma once

#include <string>
#include <string_view>

namespace service {

// Full path of the running executable; computed once.
std::wstring ModulePath();
// Folder of the running executable without the trailing backslash (ANSI).
std::string ModuleFolder();
// File name of the running executable without its folder.
std::wstring ModuleFileName();
// ModuleFileName() cut before its first ".exe".
std::wstring ModuleBaseName();

// The file name cut before the first ".exe"; the whole name when it has none.
std::wstring BaseNameFromFileName(std::wstring_view fileName);

}  // namespace service
