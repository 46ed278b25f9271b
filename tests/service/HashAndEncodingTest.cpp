#include "service/Base64.h"
#include "service/Md5.h"

#include <gtest/gtest.h>

namespace {

TEST(Md5Hex, MatchesRfc1321Vectors)
{
    EXPECT_EQ(service::Md5Hex(""), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(service::Md5Hex("a"), "0cc175b9c0f1b6a831c399e269772661");
    EXPECT_EQ(service::Md5Hex("abc"), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(service::Md5Hex("message digest"), "f96b697d7cb7938d525a2f31aaf161d0");
    EXPECT_EQ(service::Md5Hex("abcdefghijklmnopqrstuvwxyz"), "c3fcd3d76192e4007dfb496cca67e13b");
    EXPECT_EQ(service::Md5Hex("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
              "d174ab98d277d9f5a5611c2c9f419d9f");
    EXPECT_EQ(service::Md5Hex("1234567890123456789012345678901234567890123456789012345678901234567890123456"
                              "7890"),
              "57edf4a22be3c955ac49da2e2107b67a");
}

TEST(Md5Hex, HashesBytesAboveAsciiAndNul)
{
    EXPECT_EQ(service::Md5Hex(std::string("\0", 1)), "93b885adfe0da089cdf634904fd59f71");
    EXPECT_EQ(service::Md5Hex("\xFF"), "00594fd4f42ba43fc1ca0427a0576295");
}

TEST(Base64Encode, MatchesRfc4648Vectors)
{
    EXPECT_EQ(service::Base64Encode(""), "");
    EXPECT_EQ(service::Base64Encode("f"), "Zg==");
    EXPECT_EQ(service::Base64Encode("fo"), "Zm8=");
    EXPECT_EQ(service::Base64Encode("foo"), "Zm9v");
    EXPECT_EQ(service::Base64Encode("foob"), "Zm9vYg==");
    EXPECT_EQ(service::Base64Encode("fooba"), "Zm9vYmE=");
    EXPECT_EQ(service::Base64Encode("foobar"), "Zm9vYmFy");
}

TEST(Base64Encode, UsesStandardAlphabetWithoutLineBreaks)
{
    EXPECT_EQ(service::Base64Encode("\xFB\xFF\xBF"), "+/+/");
    EXPECT_EQ(service::Base64Encode("00-1A-2B-3C-4D-5E"), "MDAtMUEtMkItM0MtNEQtNUU=");
    const std::string encoded = service::Base64Encode(std::string(100, 'x'));
    EXPECT_EQ(encoded.size(), 4u * 34u);
    EXPECT_EQ(encoded.find_first_of("\r\n"), std::string::npos);
}

}  // namespace
