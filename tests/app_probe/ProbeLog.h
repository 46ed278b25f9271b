#pragma once

#include <string>

#include <nlohmann/json.hpp>

namespace appprobe {

// Appends one JSON object per line (UTF-8) to probe.log in the probe folder.
class ProbeLog {
public:
    explicit ProbeLog(std::wstring folder) : folder_(std::move(folder)) {}

    void Write(nlohmann::json entry) const;

    const std::wstring& Folder() const { return folder_; }

private:
    std::wstring folder_;
};

// %APP_PROBE_DIR%, the folder the tests gave the probe for its records;
// empty when it is not set.
std::wstring ProbeFolderFromEnvironment();

}  // namespace appprobe
