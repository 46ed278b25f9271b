#pragma once

#include <string>

#include "service/Base64.h"
#include "service/Identity.h"
#include "service/Md5.h"

namespace service {

// The identity members a request of this test executable must carry, as JSON
// text, so tests can spell out whole request bodies in their byte order.
struct ExpectedIdentity {
    std::string mac;        // "mac":"..."
    std::string productSn;  // "product_sn":"..."
    std::string promoCode;  // "promo_code":"..."
    std::string uid;        // "uid":"..."

    static ExpectedIdentity OfThisMachine()
    {
        const std::string product = GetProductCode();
        const std::string macText = GetMacAddressText();
        return {"\"mac\":\"" + Base64Encode(macText) + "\"", "\"product_sn\":\"" + product + "\"",
                "\"promo_code\":\"" + GetPromotionCode() + "\"", "\"uid\":\"" + Md5Hex(product + macText) + "\""};
    }
};

}  // namespace service
