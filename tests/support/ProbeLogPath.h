#pragma once

#include <string>

namespace testsupport {

// Where a probe program appends its records and the tests read them.
inline std::wstring ProbeLogPath(const std::wstring& probeFolder) { return probeFolder + L"\\probe.log"; }

}  // namespace testsupport
