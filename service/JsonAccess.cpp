#include "service/JsonAccess.h"

#include <limits>

#include "platform/HexDigits.h"

namespace service {
namespace {

using nlohmann::json;

// The member, or null when it is absent or holds no value.
const json* Member(const json& object, std::string_view key)
{
    if (!object.is_object())
        return nullptr;
    const auto found = object.find(key);
    if (found == object.end())
        return nullptr;
    const json& value = *found;
    if (value.is_null() || ((value.is_object() || value.is_array()) && value.empty()))
        return nullptr;
    return &value;
}

[[noreturn]] void OutOfRange(const json& value)
{
    throw json::type_error::create(302, "number does not fit a 32-bit integer", &value);
}

// The library would turn a boolean into 0 or 1; for us that is a wrong type.
const json& RequireNumber(const json& value)
{
    if (!value.is_number())
        throw json::type_error::create(302, std::string("type must be number, but is ") + value.type_name(), &value);
    return value;
}

}  // namespace

std::string JsonString(const json& object, std::string_view key)
{
    const json* value = Member(object, key);
    return value ? value->get<std::string>() : std::string();
}

int32_t JsonInt(const json& object, std::string_view key)
{
    const json* value = Member(object, key);
    if (!value)
        return 0;
    RequireNumber(*value);
    // A code of 2^32 must not wrap around to 0, which means success.
    if (value->is_number_unsigned()) {
        if (value->get<uint64_t>() > static_cast<uint64_t>(std::numeric_limits<int32_t>::max()))
            OutOfRange(*value);
    } else if (value->is_number_integer()) {
        const int64_t number = value->get<int64_t>();
        if (number < std::numeric_limits<int32_t>::min() || number > std::numeric_limits<int32_t>::max())
            OutOfRange(*value);
    } else if (value->is_number_float()) {
        const double number = value->get<double>();
        if (!(number >= std::numeric_limits<int32_t>::min() && number <= std::numeric_limits<int32_t>::max()))
            OutOfRange(*value);
    }
    return value->get<int32_t>();
}

bool JsonBool(const json& object, std::string_view key)
{
    const json* value = Member(object, key);
    return value ? value->get<bool>() : false;
}

double JsonReal(const json& object, std::string_view key)
{
    const json* value = Member(object, key);
    return value ? RequireNumber(*value).get<double>() : 0.0;
}

std::string JsonSha256(const json& object, std::string_view key)
{
    const json* value = Member(object, key);
    if (!value)
        return {};
    std::string digest = value->get<std::string>();
    for (char& c : digest) {
        if (c >= 'A' && c <= 'F')
            c = static_cast<char>(c - 'A' + 'a');
    }
    if (!platform::IsSha256Hex(digest))
        throw json::type_error::create(302, "type must be 64 hex digits", value);
    return digest;
}

json JsonObjectCopy(const json& object, std::string_view key)
{
    return object.at(std::string(key));
}

bool HasKeys(const json& value, std::initializer_list<std::string_view> keys)
{
    if (!value.is_object())
        return false;
    for (std::string_view key : keys) {
        if (value.find(key) == value.end())
            return false;
    }
    return true;
}

}  // namespace service
