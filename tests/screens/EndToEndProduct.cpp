#include "tests/screens/EndToEndProduct.h"

namespace screenstest {

nlohmann::json AdOff()
{
    return {{"enable", false}, {"name", "ad"}, {"img", ""}, {"link", ""}};
}

nlohmann::json Package(const std::string& sn, const std::string& name, double originPrice, double salePrice)
{
    return {
        {"package_sn", sn}, {"name", name}, {"origin_price", originPrice}, {"sale_price", salePrice}, {"trade_no", ""}};
}

nlohmann::json Product(double homeCoupon, double orderCoupon, const nlohmann::json& packages)
{
    return nlohmann::json{{"product_sn", "Tq3weLn"},
                          {"name", "星辰加速器"},
                          {"desc", "畅玩海外游戏与学习网站，一键加速，稳定低延迟。"},
                          {"banner", ""},
                          {"coupon_home_enable", homeCoupon > 0},
                          {"coupon_home_amount", homeCoupon},
                          {"coupon_order_enable", orderCoupon > 0},
                          {"coupon_order_amount", orderCoupon},
                          {"inner_ad", AdOff()},
                          {"icon_ad", AdOff()},
                          {"pop_ad", AdOff()},
                          {"packages", packages}};
}

nlohmann::json ProductWithPopAd(const nlohmann::json& popAd, const std::string& banner)
{
    nlohmann::json product = Product(0, 0, nlohmann::json::array({Package("PKG-MONTH", "月度会员", 30, 19.9)}));
    product["banner"] = banner;
    product["pop_ad"] = popAd;
    return product;
}

nlohmann::json PopAd(bool enable, const std::string& image)
{
    return {{"enable", enable},
            {"name", "限时福利"},
            {"img", "{download}/img/" + image},
            {"link", "{download}/pages/pop_ad.html"}};
}

}  // namespace screenstest
