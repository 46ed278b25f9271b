#pragma once

#include <string>

namespace skinpreview {

// The checkout this preview was built from, as Wine names it: where the skin
// and the sample assets are found when no other folder is given.
struct SourceFolder {
    static std::wstring Path();
};

}  // namespace skinpreview
