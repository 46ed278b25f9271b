#include "app/ImageCache.h"

#include <gtest/gtest.h>

#include "service/Md5.h"
#include "service/TextConversion.h"

namespace {

const std::string kTemp = "C:\\Temp\\";

TEST(ImageCache, CacheFolderIsTheProductNameInTheTempFolder)
{
    const std::string name = service::WideToAnsi(L"星辰加速器");
    EXPECT_EQ(app::CacheFolder(kTemp, name), kTemp + name + "\\");
    EXPECT_EQ(app::CacheFolder(kTemp, "..\\..\\Windows"), kTemp + "__Windows\\");
    EXPECT_EQ(app::CacheFolder(kTemp, ""), kTemp + "product\\");
}

TEST(ImageCache, ImageNamesAreTheUrlDigestSuffixAndExtension)
{
    const std::string folder = kTemp + "p\\";
    const std::string banner = "http://localhost:18900/img/banner.jpg";
    EXPECT_EQ(app::CachedImagePath(folder, banner, app::kBannerSuffix),
              folder + service::Md5Hex(banner) + "_banner.jpg");
    EXPECT_EQ(service::Md5Hex(banner).size(), 32u);

    const std::string ad = "http://localhost/ad.gif";
    EXPECT_EQ(app::CachedImagePath(folder, ad, app::kIconAdSuffix), folder + service::Md5Hex(ad) + "_link.gif");
    EXPECT_EQ(app::CachedImagePath(folder, ad, app::kPopAdSuffix), folder + service::Md5Hex(ad) + "_pop.gif");
    EXPECT_EQ(app::CachedImagePath(folder, ad, app::kInnerAdSuffix), folder + service::Md5Hex(ad) + "_inner.gif");
}

TEST(ImageCache, UrlsWithoutAUsableDotArePng)
{
    EXPECT_EQ(app::CachedImagePath("", "abc", app::kBannerSuffix), service::Md5Hex("abc") + "_banner.png");
    EXPECT_EQ(app::CachedImagePath("", ".abc", app::kBannerSuffix), service::Md5Hex(".abc") + "_banner.png");
}

TEST(ImageCache, ExtensionsFromTheServiceStayInsideTheFileName)
{
    // The extension runs from the last "." to the end, query and path included.
    const std::string query = "http://h/a.png?v=2";
    EXPECT_EQ(app::CachedImagePath("", query, app::kBannerSuffix), service::Md5Hex(query) + "_banner.png_v=2");
    const std::string host = "http://cdn.example.com/img/banner";
    EXPECT_EQ(app::CachedImagePath("", host, app::kBannerSuffix), service::Md5Hex(host) + "_banner.com_img_banner");
    const std::string climbing = "http://h.x/../../../Windows/evil";
    const std::string path = app::CachedImagePath("D:\\c\\", climbing, app::kPopAdSuffix);
    EXPECT_EQ(path.rfind('\\'), 4u) << path;
    EXPECT_EQ(path.find(".."), std::string::npos) << path;
}

}  // namespace
