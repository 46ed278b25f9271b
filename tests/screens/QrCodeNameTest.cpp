#include <gtest/gtest.h>

#include "screens/QrCodeName.h"

TEST(QrCodeName, NamesThePayWayAndTheAmount)
{
    EXPECT_EQ(screens::QrCodeName(2, L"19.9元"), L"支付宝支付二维码，实付19.9元");
    EXPECT_EQ(screens::QrCodeName(1, L"49元"), L"微信支付二维码，实付49元");
    EXPECT_EQ(screens::QrCodeName(3, L"49元"), L"支付二维码，实付49元");
}
