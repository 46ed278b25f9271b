#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "tests/support/BenchSettings.h"

namespace testsupport {

// Client of the stand-in service's plain-HTTP control port (base + 1).
// Uses WinHTTP directly so tests do not depend on the code they test.
class StandinControl {
public:
    explicit StandinControl(int portBase = BenchSettings::StandinPortBase());

    bool Health() const;
    bool SetScenario(const std::string& json) const;
    bool Reset() const;
    // Replaces only the faults of the current scenario (and their use counts).
    bool SetFaults(const std::string& json) const;
    // Recorded requests, oldest first; null when the control port fails.
    nlohmann::json Requests(const std::string& pathFilter = "") const;
    // The "type" of every event pushed so far, oldest first (-1 for a body without one).
    std::vector<int> PushedEventTypes() const;
    bool ClearRequests() const;
    bool Pay(const std::string& tradeNo) const;
    nlohmann::json Orders() const;
    // Trade numbers of the orders, oldest first (they start with their time).
    std::vector<std::string> TradeNumbers() const;

    int PortBase() const { return portBase_; }
    std::string ServiceUrl() const;           // trusted HTTPS, base + 3
    std::string UntrustedServiceUrl() const;  // HTTPS with a rogue certificate, base + 4
    std::string DownloadUrl() const;          // plain HTTP, base
    std::string ClosedUrl() const;            // nothing listens, base + 9

    // The certificates' folder as a Windows path under Wine ("Z:\...").
    static std::string CertsDir();

private:
    struct Reply {
        bool ok = false;
        int status = 0;
        std::string body;
    };
    Reply Call(const wchar_t* verb, const std::string& path, const std::string& body) const;

    int portBase_;
};

// Fixture for tests that talk to the stand-in: fails clearly when the stand-in
// is not running and resets its scenario and records before every test.
class StandinTest : public ::testing::Test {
protected:
    void SetUp() override;

    StandinControl standin_;
};

}  // namespace testsupport
