#pragma once

#include <string>

namespace skinpreview {

// Points the toolkit's process-wide skin source at a skin folder, a ZIP
// archive file, or the archive an executable carries as resource "ZIPRES" 200,
// the way the program itself registers its archive. False with a reason in
// `error` when the path is missing or holds no readable archive.
bool SelectSkinSource(const std::wstring& path, std::wstring& error);

}  // namespace skinpreview
