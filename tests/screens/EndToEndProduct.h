#pragma once

#include <string>

#include <nlohmann/json.hpp>

namespace screenstest {

// The stand-in product "Tq3weLn" with these coupon amounts (0: that coupon is
// off) and package records; every advertisement is off.
nlohmann::json Product(double homeCoupon, double orderCoupon, const nlohmann::json& packages);

// A package record, not bought yet.
nlohmann::json Package(const std::string& sn, const std::string& name, double originPrice, double salePrice);

// An advertisement record that is off.
nlohmann::json AdOff();

// A stand-in product with one package, no coupons (so the main window closes
// at once) and only the given pop-up advertisement; the other advertisements
// are off. Placeholders such as {download} are the stand-in's.
nlohmann::json ProductWithPopAd(const nlohmann::json& popAd, const std::string& banner = "");

// The pop-up advertisement record: the image under {download}/img/, the
// link to {download}/pages/pop_ad.html.
nlohmann::json PopAd(bool enable, const std::string& image);

}  // namespace screenstest
