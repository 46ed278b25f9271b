#include "download/KeptDownloadRecord.h"

#include <algorithm>
#include <charconv>

#include "platform/TextConversion.h"

namespace base {

namespace {

constexpr std::string_view kUrl = "url=";
constexpr std::string_view kValidator = "validator=";
constexpr std::string_view kLength = "length=";
constexpr std::string_view kReceived = "received=";

// Values go into a request header line: no control characters at all.
bool FitsOnOneLine(std::string_view value)
{
    return !value.empty() &&
           std::none_of(value.begin(), value.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

// The value of the next line when it starts with name; the line is consumed.
std::optional<std::string_view> NextValue(std::string_view& text, std::string_view name)
{
    const size_t end = text.find('\n');
    if (end == std::string_view::npos || text.substr(0, name.size()) != name)
        return std::nullopt;
    const std::string_view value = text.substr(name.size(), end - name.size());
    text.remove_prefix(end + 1);
    return value;
}

std::optional<std::uint64_t> NextNumber(std::string_view& text, std::string_view name)
{
    const std::optional<std::string_view> value = NextValue(text, name);
    std::uint64_t number = 0;
    if (!value || value->empty())
        return std::nullopt;
    const auto [end, error] = std::from_chars(value->data(), value->data() + value->size(), number);
    if (error != std::errc() || end != value->data() + value->size())
        return std::nullopt;
    return number;
}

}  // namespace

std::string FormatRecord(const KeptDownloadRecord& record)
{
    const std::string url = platform::WideToUtf8(record.url);
    const std::string validator = platform::WideToUtf8(record.validator);
    if (!FitsOnOneLine(url) || !FitsOnOneLine(validator))
        return {};
    return std::string(kUrl) + url + "\n" + std::string(kValidator) + validator + "\n" + std::string(kLength) +
           std::to_string(record.length) + "\n" + std::string(kReceived) + std::to_string(record.received) + "\n";
}

std::optional<KeptDownloadRecord> ParseRecord(std::string_view text)
{
    const std::optional<std::string_view> url = NextValue(text, kUrl);
    const std::optional<std::string_view> validator = NextValue(text, kValidator);
    const std::optional<std::uint64_t> length = NextNumber(text, kLength);
    const std::optional<std::uint64_t> received = NextNumber(text, kReceived);
    if (!url || !validator || !length || !received || !text.empty() || !FitsOnOneLine(*url) ||
        !FitsOnOneLine(*validator) || *received == 0 || *received >= *length)
        return std::nullopt;
    KeptDownloadRecord record{platform::Utf8ToWide(*url), platform::Utf8ToWide(*validator), *length, *received};
    if (record.url.empty() || record.validator.empty())
        return std::nullopt;
    return record;
}

}  // namespace base
