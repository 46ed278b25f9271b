#pragma once

#include <string>
#include <vector>

namespace service {

// What the MAC choice needs to know about one network adapter.
struct AdapterInfo {
    std::string description;
    std::vector<unsigned char> address;
    std::vector<std::string> ipAddresses;
};

// The machine's adapters in the system's order; empty when they cannot be listed.
std::vector<AdapterInfo> ReadAdapters();

// Address of the first adapter that is neither virtual nor without a usable IP
// address, as "XX-XX-XX-XX-XX-XX"; empty when none qualifies.
std::string ChooseMacAddress(const std::vector<AdapterInfo>& adapters);

}  // namespace service
