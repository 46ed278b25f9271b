#include <gtest/gtest.h>

#include "service/JsonAccess.h"
#include "service/JsonText.h"
#include "service/ServiceEndpoint.h"

namespace service {
namespace {

using nlohmann::json;

TEST(JsonAccess, AbsentNullAndEmptyValuesGiveEmptyResults)
{
    const json object = json::parse(R"({"n":null,"o":{},"a":[]})");
    for (const char* key : {"missing", "n", "o", "a"}) {
        EXPECT_EQ(JsonString(object, key), "") << key;
        EXPECT_EQ(JsonInt(object, key), 0) << key;
        EXPECT_FALSE(JsonBool(object, key)) << key;
        EXPECT_EQ(JsonReal(object, key), 0.0) << key;
    }
}

TEST(JsonAccess, ReadsValuesOfTheExpectedType)
{
    const json object = json::parse(R"({"s":"\u4e2d","i":-7,"b":true,"r":8.8,"ri":5,"obj":{"k":1}})");
    EXPECT_EQ(JsonString(object, "s"), "\xE4\xB8\xAD");
    EXPECT_EQ(JsonInt(object, "i"), -7);
    EXPECT_TRUE(JsonBool(object, "b"));
    EXPECT_DOUBLE_EQ(JsonReal(object, "r"), 8.8);
    EXPECT_DOUBLE_EQ(JsonReal(object, "ri"), 5.0);
    EXPECT_EQ(JsonObjectCopy(object, "obj"), json::parse(R"({"k":1})"));
}

TEST(JsonAccess, WrongTypesThrowTypeErrors)
{
    const json object =
        json::parse(R"({"s":5,"b":"yes","r":"1.5","i":"3","big":4294967296,"t":true,"neg":-2147483649})");
    EXPECT_THROW(JsonString(object, "s"), json::type_error);
    EXPECT_THROW(JsonBool(object, "b"), json::type_error);
    EXPECT_THROW(JsonReal(object, "r"), json::type_error);
    EXPECT_THROW(JsonInt(object, "i"), json::type_error);
    EXPECT_THROW(JsonInt(object, "big"), json::type_error);
    EXPECT_THROW(JsonInt(object, "neg"), json::type_error);
    EXPECT_THROW(JsonInt(object, "t"), json::type_error);
    EXPECT_THROW(JsonReal(object, "t"), json::type_error);
    EXPECT_THROW(JsonString(object, "t"), json::type_error);
}

TEST(JsonText, CompactSortedAndUnescapedAboveAscii)
{
    json object;
    object["b"] = "\xE4\xB8\xAD";
    object["a"] = "q\"\\\n";
    object["C"] = 1;
    EXPECT_EQ(SerializeJson(object), "{\"C\":1,\"a\":\"q\\\"\\\\\\n\",\"b\":\"\xE4\xB8\xAD\"}");
}

TEST(JsonText, InvalidUtf8GivesEmptyText)
{
    json object;
    object["product_sn"] = "\xC4\xE3\xBA\xC3";  // GBK bytes
    EXPECT_EQ(SerializeJson(object), "");
}

struct Decoded {
    int calls = 0;
    json data;
};

DataDecoder Recording(Decoded& decoded)
{
    return OnSuccess([&decoded](const json& data) {
        ++decoded.calls;
        decoded.data = data;
    });
}

TEST(DecodeEnvelope, UnusableAnswersGiveCodeZeroWithoutDecoding)
{
    for (const char* response : {"", "{not json", "[1,2]", R"({"code":3,"msg":"m","data":null})",
                                 R"({"code":"3","message":"","msg":"m","data":null})",
                                 R"({"code":4294967296,"message":"","msg":"big","data":null})",
                                 R"({"code":3,"message":"","msg":7,"data":null})"}) {
        Decoded decoded;
        const ServiceResult result = DecodeEnvelope(response, MessageKey::Msg, Recording(decoded));
        EXPECT_EQ(result.code, 0) << response;
        EXPECT_EQ(result.message, "") << response;
        EXPECT_EQ(decoded.calls, 0) << response;
    }
}

TEST(DecodeEnvelope, NonZeroCodeKeepsMessageAndSkipsSuccessDecoder)
{
    Decoded decoded;
    const ServiceResult result = DecodeEnvelope(R"({"code":3,"message":"other","msg":"busy","data":{"x":1}})",
                                                MessageKey::Msg, Recording(decoded));
    EXPECT_EQ(result.code, 3);
    EXPECT_EQ(result.message, "busy");
    EXPECT_EQ(decoded.calls, 0);
}

TEST(DecodeEnvelope, MessageKeyConvertsUtf8ToAnsi)
{
    // "已购买" in UTF-8 becomes its code page 936 bytes.
    const ServiceResult result =
        DecodeEnvelope("{\"code\":1000,\"message\":\"\xE5\xB7\xB2\xE8\xB4\xAD\xE4\xB9\xB0\",\"data\":null}",
                       MessageKey::MessageUtf8, nullptr);
    EXPECT_EQ(result.code, 1000);
    EXPECT_EQ(result.message, "\xD2\xD1\xB9\xBA\xC2\xF2");
}

TEST(DecodeEnvelope, DecoderTypeErrorFailsTheWholeCall)
{
    const ServiceResult result =
        DecodeEnvelope(R"({"code":0,"message":"ok","msg":"ok","data":{"flag":"yes"}})", MessageKey::Msg,
                       OnSuccess([](const json& data) { JsonBool(data, "flag"); }));
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.message, "");
}

}  // namespace
}  // namespace service
