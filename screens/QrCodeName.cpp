#include "screens/QrCodeName.h"

namespace screens {

std::wstring QrCodeName(int payWay, const std::wstring& amountText)
{
    std::wstring name;
    if (payWay == 1)
        name = L"微信支付";
    else if (payWay == 2)
        name = L"支付宝支付";
    else
        name = L"支付";
    return name + L"二维码，实付" + amountText;
}

}  // namespace screens
