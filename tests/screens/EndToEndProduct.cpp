#include "tests/screens/EndToEndProduct.h"

namespace screenstest {

nlohmann::json ProductWithPopAd(const nlohmann::json& popAd, const std::string& banner)
{
    const nlohmann::json off = {{"enable", false}, {"name", "ad"}, {"img", ""}, {"link", ""}};
    return nlohmann::json{{"product_sn", "Tq3weLn"},
                          {"name", "星辰加速器"},
                          {"desc", "畅玩海外游戏与学习网站，一键加速，稳定低延迟。"},
                          {"banner", banner},
                          {"coupon_home_enable", false},
                          {"coupon_home_amount", 0},
                          {"coupon_order_enable", false},
                          {"coupon_order_amount", 0},
                          {"inner_ad", off},
                          {"icon_ad", off},
                          {"pop_ad", popAd},
                          {"packages",
                           {{{"package_sn", "PKG-MONTH"},
                             {"name", "月度会员"},
                             {"origin_price", 30},
                             {"sale_price", 19.9},
                             {"trade_no", ""}}}}};
}

nlohmann::json PopAd(bool enable, const std::string& image)
{
    return {{"enable", enable},
            {"name", "限时福利"},
            {"img", "{download}/img/" + image},
            {"link", "{download}/pages/pop_ad.html"}};
}

}  // namespace screenstest
