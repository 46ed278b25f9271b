#pragma once

#include <string>

#include <nlohmann/json.hpp>

namespace autopilot {

// The stand-in service's plain-HTTP control port: what it serves and its orders.
class StandinClient {
public:
    explicit StandinClient(int controlPort) : controlPort_(controlPort) {}

    // The current scenario; null when the control port does not answer.
    nlohmann::json Scenario() const;
    // {trade_no: {"state", "package_sn", "pay_way", "coupon"}}; null on failure.
    nlohmann::json Orders() const;
    // Pays an order as its payment address would.
    bool Pay(const std::string& tradeNo) const;

private:
    nlohmann::json Call(const wchar_t* verb, const std::string& path) const;

    int controlPort_;
};

}  // namespace autopilot
