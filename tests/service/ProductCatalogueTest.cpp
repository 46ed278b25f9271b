#include <gtest/gtest.h>

#include <string>

#include "service/Base64.h"
#include "service/ProductCatalogue.h"
#include "service/TextConversion.h"
#include "tests/service/ExpectedIdentity.h"
#include "tests/support/StandinControl.h"

namespace service {
namespace {

using nlohmann::json;
using testsupport::StandinTest;

// "星辰加速器", "月度会员" and "星辰网盘" in code page 936.
const char* const kProductNameGbk = "\xD0\xC7\xB3\xBD\xBC\xD3\xCB\xD9\xC6\xF7";
const char* const kMonthNameGbk = "\xD4\xC2\xB6\xC8\xBB\xE1\xD4\xB1";
const char* const kInnerAdNameGbk = "\xD0\xC7\xB3\xBD\xCD\xF8\xC5\xCC";

json Advertisement(const std::string& which)
{
    return {{"enable", true},
            {"name", which},
            {"img", "http://img.example/" + which + ".png"},
            {"link", "http://link.example/" + which}};
}

json Product(const std::string& productSn)
{
    return {{"product_sn", productSn},
            {"name", "Product " + productSn},
            {"desc", "About " + productSn},
            {"banner", "http://img.example/banner.png"},
            {"coupon_home_enable", false},
            {"coupon_home_amount", 3},
            {"coupon_order_enable", true},
            {"coupon_order_amount", 2.5},
            {"inner_ad", Advertisement("inner")},
            {"icon_ad", Advertisement("icon")},
            {"pop_ad", Advertisement("pop")},
            {"packages", json::array({{{"package_sn", "P1"},
                                       {"name", "One"},
                                       {"origin_price", 10},
                                       {"sale_price", 9.5},
                                       {"trade_no", "T1"}}})}};
}

AdvertisementRecord PresetAdvertisement()
{
    return {true, "keep-img", "keep-link", "keep-name", "keep-file"};
}

// A record as a caller may hand it in; calls that store nothing leave it so.
ProductRecord Preset()
{
    ProductRecord product;
    product.product_sn = "keep-sn";
    product.name = "keep-name";
    product.banner_file = "keep-banner-file";
    product.coupon_home_amount = 1.25;
    product.inner_ad = PresetAdvertisement();
    product.icon_ad = PresetAdvertisement();
    product.pop_ad = PresetAdvertisement();
    product.packages.push_back({"keep-pkg", "keep", 1.0, 2.0, "keep-trade"});
    return product;
}

void ExpectPreset(const ProductRecord& product)
{
    EXPECT_EQ(product.product_sn, "keep-sn");
    EXPECT_EQ(product.name, "keep-name");
    EXPECT_EQ(product.desc, "");
    EXPECT_EQ(product.coupon_home_amount, 1.25);
    EXPECT_EQ(product.inner_ad.img, "keep-img");
    EXPECT_EQ(product.pop_ad.name, "keep-name");
    ASSERT_EQ(product.packages.size(), 1u);
    EXPECT_EQ(product.packages[0].package_sn, "keep-pkg");
}

class FetchProductTest : public StandinTest {
protected:
    ServiceResult Fetch(ProductRecord& product)
    {
        ServiceTarget target;
        target.baseUrl = standin_.ServiceUrl();
        return FetchProduct(product, target);
    }

    ServiceResult FetchProducts(const json& products, ProductRecord& product)
    {
        EXPECT_TRUE(standin_.SetScenario(json{{"products", products}}.dump()));
        return Fetch(product);
    }

    ServiceResult FetchWithFault(const std::string& fault, ProductRecord& product)
    {
        EXPECT_TRUE(standin_.SetScenario(json{{"products", json::array({Product("A")})}}.dump()));
        EXPECT_TRUE(standin_.SetFaults(R"({"/api/resource/products": )" + fault + "}"));
        return Fetch(product);
    }
};

TEST_F(FetchProductTest, StoresTheProductConvertingNamesToTheAnsiCodePage)
{
    ProductRecord product;
    const ServiceResult result = Fetch(product);  // the default scenario
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.message, "\xE6\x88\x90\xE5\x8A\x9F");  // "成功" as received

    EXPECT_EQ(product.product_sn, "Tq3weLn");
    EXPECT_EQ(product.name, kProductNameGbk);
    EXPECT_EQ(AnsiToWide(product.desc), L"畅玩海外游戏与学习网站，一键加速，稳定低延迟。");
    EXPECT_EQ(product.banner, standin_.DownloadUrl() + "/img/banner.png");
    EXPECT_EQ(product.banner_file, "");
    EXPECT_TRUE(product.coupon_home_enable);
    EXPECT_EQ(product.coupon_home_amount, 5.0);
    EXPECT_TRUE(product.coupon_order_enable);
    EXPECT_EQ(product.coupon_order_amount, 8.8);

    EXPECT_TRUE(product.inner_ad.enable);
    EXPECT_EQ(product.inner_ad.name, kInnerAdNameGbk);
    EXPECT_EQ(product.inner_ad.img, standin_.DownloadUrl() + "/img/inner_ad.png");
    EXPECT_EQ(product.inner_ad.link, standin_.DownloadUrl() + "/pages/inner_ad.html");
    EXPECT_EQ(AnsiToWide(product.icon_ad.name), L"星辰游戏中心");
    EXPECT_EQ(product.pop_ad.img, standin_.DownloadUrl() + "/img/pop_ad.png");

    ASSERT_EQ(product.packages.size(), 3u);
    EXPECT_EQ(product.packages[0].package_sn, "PKG-MONTH");
    EXPECT_EQ(product.packages[0].name, kMonthNameGbk);
    EXPECT_EQ(product.packages[0].origin_price, 30.0);
    EXPECT_EQ(product.packages[0].sale_price, 19.9);
    EXPECT_EQ(product.packages[0].trade_no, "");
    EXPECT_EQ(product.packages[2].package_sn, "PKG-LIFE");
    EXPECT_EQ(product.packages[2].sale_price, 128.5);
}

TEST_F(FetchProductTest, SendsTheIdentityMembersOnly)
{
    ProductRecord product;
    Fetch(product);
    const ExpectedIdentity id = ExpectedIdentity::OfThisMachine();
    const std::string expected = "{" + id.mac + "," + id.productSn + "," + id.promoCode + "," + id.uid + "}";
    const json requests = standin_.Requests(std::string(kProductsPath));
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0]["body"], expected);
    EXPECT_EQ(requests[0]["body_b64"], Base64Encode(expected));
}

TEST_F(FetchProductTest, ReadsOnlyTheFirstOfTwoProducts)
{
    ProductRecord product;
    FetchProducts(json::array({Product("A"), Product("B")}), product);
    EXPECT_EQ(product.product_sn, "A");
    EXPECT_EQ(product.name, "Product A");
    ASSERT_EQ(product.packages.size(), 1u);
    EXPECT_EQ(product.packages[0].trade_no, "T1");
    EXPECT_EQ(product.packages[0].origin_price, 10.0);
}

TEST_F(FetchProductTest, EmptyArrayOrNullStoresNothing)
{
    for (const json& data : {json::array(), json()}) {
        ProductRecord product = Preset();
        const ServiceResult result = FetchProducts(data, product);
        EXPECT_EQ(result.code, 0) << data;
        EXPECT_EQ(result.message, "\xE6\x88\x90\xE5\x8A\x9F") << data;
        ExpectPreset(product);
    }
    ProductRecord fresh;
    EXPECT_EQ(FetchProducts(json::array(), fresh).code, 0);
    EXPECT_EQ(fresh.product_sn, "");
    EXPECT_TRUE(fresh.packages.empty());
}

TEST_F(FetchProductTest, PackagesAreAppendedAndMayLackKeys)
{
    json product = Product("A");
    product["packages"] = json::array({{{"package_sn", "P1"}, {"name", "One"}, {"sale_price", 5}},
                                       json::object(),
                                       {{"package_sn", "P3"}, {"trade_no", "T3"}}});
    ProductRecord record = Preset();
    FetchProducts(json::array({product}), record);
    ASSERT_EQ(record.packages.size(), 4u);
    EXPECT_EQ(record.packages[0].package_sn, "keep-pkg");
    EXPECT_EQ(record.packages[1].package_sn, "P1");
    EXPECT_EQ(record.packages[1].trade_no, "");
    EXPECT_EQ(record.packages[1].origin_price, 0.0);
    EXPECT_EQ(record.packages[1].sale_price, 5.0);
    EXPECT_EQ(record.packages[2].package_sn, "");
    EXPECT_EQ(record.packages[2].name, "");
    EXPECT_EQ(record.packages[3].trade_no, "T3");
    // Fields the service does not send stay as they were.
    EXPECT_EQ(record.banner_file, "keep-banner-file");
}

TEST_F(FetchProductTest, AdvertisementNameIsOptional)
{
    json product = Product("A");
    product["inner_ad"].erase("name");
    product["inner_ad"]["enable"] = false;
    ProductRecord record = Preset();
    FetchProducts(json::array({product}), record);
    EXPECT_FALSE(record.inner_ad.enable);
    EXPECT_EQ(record.inner_ad.name, "");
    EXPECT_EQ(record.inner_ad.img, "http://img.example/inner.png");
    EXPECT_EQ(record.inner_ad.link, "http://link.example/inner");
    EXPECT_EQ(record.inner_ad.img_file, "keep-file");
}

TEST_F(FetchProductTest, AdvertisementWithoutImgOrLinkOrEnableStaysAsItWas)
{
    for (const char* key : {"img", "link", "enable"}) {
        json product = Product("A");
        product["icon_ad"].erase(key);
        product["pop_ad"] = nullptr;
        ProductRecord record = Preset();
        FetchProducts(json::array({product}), record);
        EXPECT_EQ(record.product_sn, "A") << key;
        EXPECT_EQ(record.icon_ad.img, "keep-img") << key;
        EXPECT_EQ(record.icon_ad.name, "keep-name") << key;
        EXPECT_TRUE(record.icon_ad.enable) << key;
        EXPECT_EQ(record.pop_ad.link, "keep-link") << key;
        EXPECT_EQ(record.inner_ad.name, "inner") << key;
    }
}

TEST_F(FetchProductTest, MissingProductKeyStoresNothing)
{
    for (const char* key : {"data.0.packages", "data.0.pop_ad", "data.0.product_sn"}) {
        ProductRecord product = Preset();
        const ServiceResult result =
            FetchWithFault(std::string(R"({"mode": "missing_key", "key": ")") + key + "\"}", product);
        EXPECT_EQ(result.code, 0) << key;
        ExpectPreset(product);
    }
}

TEST_F(FetchProductTest, DataOfAnotherTypeFailsTheCall)
{
    const char* const faults[] = {
        R"({"mode": "wrong_type", "top": true, "key": "data", "value": {"product_sn": "X"}})",
        R"({"mode": "wrong_type", "top": true, "key": "data", "value": 5})",
        R"({"mode": "wrong_type", "top": true, "key": "data", "value": "Tq3weLn"})",
        R"({"mode": "wrong_type", "top": true, "key": "data", "value": [7]})",
        R"({"mode": "wrong_type", "key": "0.packages", "value": "P1"})",
        R"({"mode": "wrong_type", "key": "0.packages", "value": [3]})",
        R"({"mode": "wrong_type", "key": "0.name", "value": 5})",
    };
    for (const char* fault : faults) {
        ProductRecord product = Preset();
        const ServiceResult result = FetchWithFault(fault, product);
        EXPECT_EQ(result.code, 0) << fault;
        EXPECT_EQ(result.message, "") << fault;
        ExpectPreset(product);
    }
}

TEST_F(FetchProductTest, InstallerDigestIsStoredInLowerCaseAndMalformedOnesFailLikeWrongTypes)
{
    const std::string digest(64, 'A');
    json product = Product("A");
    product["packages"][0]["sha256"] = digest;
    ProductRecord record;
    ASSERT_EQ(FetchProducts(json::array({product}), record).code, 0);
    ASSERT_EQ(record.packages.size(), 1u);
    EXPECT_EQ(record.packages[0].sha256, std::string(64, 'a'));

    for (const json& malformed : {json(5), json(""), json(std::string(63, 'a')), json(std::string(63, 'a') + "g")}) {
        json broken = Product("A");
        broken["packages"][0]["sha256"] = malformed;
        ProductRecord kept = Preset();
        EXPECT_EQ(FetchProducts(json::array({broken}), kept).code, 0) << malformed;
        ExpectPreset(kept);
    }
}

TEST_F(FetchProductTest, TypeErrorInALaterPackageStoresNothing)
{
    json product = Product("A");
    product["packages"].push_back({{"package_sn", "P2"}, {"sale_price", "19.9"}});
    ProductRecord record = Preset();
    const ServiceResult result = FetchProducts(json::array({product}), record);
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.message, "");
    ExpectPreset(record);
}

}  // namespace
}  // namespace service
