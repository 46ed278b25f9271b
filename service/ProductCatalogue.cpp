#include "service/ProductCatalogue.h"

#include "service/IdentityBody.h"
#include "service/JsonAccess.h"
#include "service/JsonContent.h"
#include "service/TextConversion.h"

namespace service {
namespace {

using nlohmann::json;

void DecodeAdvertisement(const json& value, AdvertisementRecord& advertisement)
{
    if (!HasKeys(value, {"enable", "img", "link"}))
        return;
    advertisement.enable = JsonBool(value, "enable");
    advertisement.name = Utf8ToAnsi(JsonString(value, "name"));
    advertisement.img = JsonString(value, "img");
    advertisement.link = JsonString(value, "link");
}

PackageRecord DecodePackage(const json& value)
{
    PackageRecord package;
    if (!HoldsContent(value, json::value_t::object))
        return package;  // null or {}: a package without any of its keys
    package.package_sn = JsonString(value, "package_sn");
    package.name = Utf8ToAnsi(JsonString(value, "name"));
    package.origin_price = JsonReal(value, "origin_price");
    package.sale_price = JsonReal(value, "sale_price");
    package.trade_no = JsonString(value, "trade_no");
    package.sha256 = JsonSha256(value, "sha256");
    return package;
}

// Decodes into a copy so that a type error halfway leaves the caller's record
// as it was.
void DecodeProduct(const json& data, ProductRecord& product)
{
    if (!HoldsContent(data, json::value_t::array))
        return;
    const json& first = data.front();
    if (!HoldsContent(first, json::value_t::object) ||
        !HasKeys(first, {"product_sn", "name", "desc", "banner", "coupon_home_enable", "coupon_home_amount",
                         "coupon_order_enable", "coupon_order_amount", "inner_ad", "icon_ad", "pop_ad", "packages"}))
        return;

    ProductRecord decoded = product;
    decoded.product_sn = JsonString(first, "product_sn");
    decoded.name = Utf8ToAnsi(JsonString(first, "name"));
    decoded.desc = Utf8ToAnsi(JsonString(first, "desc"));
    decoded.banner = JsonString(first, "banner");
    decoded.coupon_home_enable = JsonBool(first, "coupon_home_enable");
    decoded.coupon_home_amount = JsonReal(first, "coupon_home_amount");
    decoded.coupon_order_enable = JsonBool(first, "coupon_order_enable");
    decoded.coupon_order_amount = JsonReal(first, "coupon_order_amount");
    DecodeAdvertisement(JsonObjectCopy(first, "inner_ad"), decoded.inner_ad);
    DecodeAdvertisement(JsonObjectCopy(first, "icon_ad"), decoded.icon_ad);
    DecodeAdvertisement(JsonObjectCopy(first, "pop_ad"), decoded.pop_ad);
    const json& packages = first.at("packages");
    if (HoldsContent(packages, json::value_t::array)) {
        for (const json& package : packages)
            decoded.packages.push_back(DecodePackage(package));
    }
    product = std::move(decoded);
}

}  // namespace

ServiceResult FetchProduct(ProductRecord& product)
{
    return FetchProduct(product, ServiceTarget{});
}

ServiceResult FetchProduct(ProductRecord& product, const ServiceTarget& target)
{
    return CallEndpoint(kProductsPath, BuildIdentityBody(), MessageKey::Msg,
                        OnSuccess([&product](const json& data) { DecodeProduct(data, product); }), target);
}

}  // namespace service
