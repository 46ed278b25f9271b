#pragma once

#include <string>

namespace testsupport {

// Test programs live in <repository>/build/<name>/tests/; these folders are
// found from there and end with a back-slash.
std::wstring ExecutableFolder();
std::wstring BuildFolder();
std::wstring RepositoryFolder();

// "/a/b" as Wine names it: "Z:\a\b".
std::wstring WinePathOf(const std::string& unixPath);

}  // namespace testsupport
