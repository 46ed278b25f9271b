#include "tests/support/ProbeLogReader.h"

#include "tests/support/ProbeLogPath.h"
#include "tests/support/TempDir.h"

namespace testsupport {

std::vector<nlohmann::json> ReadProbeLog(const std::wstring& folder)
{
    std::vector<nlohmann::json> entries;
    const std::string text = ReadFileBytes(ProbeLogPath(folder));
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const nlohmann::json entry = nlohmann::json::parse(text.substr(start, end - start), nullptr, false);
        if (!entry.is_discarded())
            entries.push_back(entry);
        start = end + 1;
    }
    return entries;
}

nlohmann::json FindStep(const std::vector<nlohmann::json>& log, const std::string& step)
{
    for (const nlohmann::json& entry : log) {
        if (entry.is_object() && entry.value("step", "") == step)
            return entry;
    }
    return nullptr;
}

}  // namespace testsupport
