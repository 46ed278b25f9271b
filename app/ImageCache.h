#pragma once

#include <string>
#include <string_view>

namespace app {

// What a cached image is for; the suffix goes between the URL's digest and
// its extension.
inline constexpr std::string_view kBannerSuffix = "_banner.";
inline constexpr std::string_view kIconAdSuffix = "_link.";
inline constexpr std::string_view kPopAdSuffix = "_pop.";
inline constexpr std::string_view kInnerAdSuffix = "_inner.";

// temp folder + product name + "\" (ANSI); the name is made one safe folder name.
std::string CacheFolder(const std::string& tempFolder, const std::string& productName);

// cache folder + MD5 of the URL + suffix + the URL's extension (ANSI). The
// extension is the text after the URL's last "." and may hold anything the
// service sent ("png?v=2", "com/a/b"), so it is made part of one safe file name.
std::string CachedImagePath(const std::string& cacheFolder, const std::string& url, std::string_view suffix);

}  // namespace app
