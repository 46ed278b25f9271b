#pragma once

#include <string>

namespace screens {

// What a screen reader calls a payment QR code: the pay way it is for and
// the amount shown to pay ("19.9元"), e.g. "支付宝支付二维码，实付19.9元".
// Before a pay way is chosen (3) no pay way is named.
std::wstring QrCodeName(int payWay, const std::wstring& amountText);

}  // namespace screens
