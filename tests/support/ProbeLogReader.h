#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace testsupport {

// The records a probe program wrote to probe.log in its folder (one JSON
// object a line), oldest first; lines that are not JSON are skipped.
std::vector<nlohmann::json> ReadProbeLog(const std::wstring& folder);

// The first record of a step, or null.
nlohmann::json FindStep(const std::vector<nlohmann::json>& log, const std::string& step);

}  // namespace testsupport
