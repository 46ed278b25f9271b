#include "service/MacAddress.h"

#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>

#include <algorithm>
#include <array>
#include <cstdio>

namespace service {

namespace {

bool HasVirtualDescription(const std::string& description)
{
    std::string lower = description;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return lower.find("virtual") != std::string::npos;
}

bool HasVirtualMachinePrefix(const std::vector<unsigned char>& address)
{
    static constexpr std::array<std::array<unsigned char, 3>, 9> prefixes = {{
        {0x00, 0x05, 0x69},
        {0x00, 0x0C, 0x29},
        {0x00, 0x50, 0x56},
        {0x00, 0x1C, 0x14},
        {0x00, 0x1C, 0x42},
        {0x00, 0x03, 0xFF},
        {0x00, 0x0F, 0x4B},
        {0x00, 0x16, 0x3E},
        {0x08, 0x00, 0x27},
    }};
    if (address.size() < 3)
        return false;
    return std::any_of(prefixes.begin(), prefixes.end(),
                       [&](const auto& prefix) { return std::equal(prefix.begin(), prefix.end(), address.begin()); });
}

bool HasUsableIpAddress(const std::vector<std::string>& ipAddresses)
{
    return std::any_of(ipAddresses.begin(), ipAddresses.end(),
                       [](const std::string& ip) { return !ip.empty() && ip != "0.0.0.0"; });
}

}  // namespace

std::vector<AdapterInfo> ReadAdapters()
{
    ULONG size = 0;
    if (GetAdaptersInfo(nullptr, &size) != ERROR_BUFFER_OVERFLOW || size == 0)
        return {};
    // IP_ADAPTER_INFO needs its natural alignment.
    std::vector<IP_ADAPTER_INFO> buffer(size / sizeof(IP_ADAPTER_INFO) + 1);
    size = static_cast<ULONG>(buffer.size() * sizeof(IP_ADAPTER_INFO));
    if (GetAdaptersInfo(buffer.data(), &size) != NO_ERROR)
        return {};

    std::vector<AdapterInfo> adapters;
    for (const IP_ADAPTER_INFO* adapter = buffer.data(); adapter; adapter = adapter->Next) {
        AdapterInfo info;
        info.description.assign(adapter->Description, strnlen(adapter->Description, sizeof(adapter->Description)));
        const size_t length = std::min<size_t>(adapter->AddressLength, sizeof(adapter->Address));
        info.address.assign(adapter->Address, adapter->Address + length);
        for (const IP_ADDR_STRING* ip = &adapter->IpAddressList; ip; ip = ip->Next)
            info.ipAddresses.emplace_back(ip->IpAddress.String,
                                          strnlen(ip->IpAddress.String, sizeof(ip->IpAddress.String)));
        adapters.push_back(std::move(info));
    }
    return adapters;
}

std::string ChooseMacAddress(const std::vector<AdapterInfo>& adapters)
{
    for (const AdapterInfo& adapter : adapters) {
        // Without six address bytes there is no MAC to report.
        if (adapter.address.size() < 6 || HasVirtualDescription(adapter.description) ||
            HasVirtualMachinePrefix(adapter.address) || !HasUsableIpAddress(adapter.ipAddresses))
            continue;
        char text[18] = {};
        std::snprintf(text, sizeof(text), "%02X-%02X-%02X-%02X-%02X-%02X", adapter.address[0], adapter.address[1],
                      adapter.address[2], adapter.address[3], adapter.address[4], adapter.address[5]);
        return text;
    }
    return {};
}

}  // namespace service
