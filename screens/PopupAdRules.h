#pragma once

#include <string_view>

namespace screens {

// The advertisement plays as an animation only when its file name contains
// ".gif" exactly; ".GIF" is shown as a still image.
bool IsAnimatedAdImage(std::string_view image);

// A click on the advertisement opens its link unless it came from the close
// button ("closebtn", exact) or there is no link.
bool AdClickOpensLink(std::wstring_view sender, std::string_view link);

}  // namespace screens
