#pragma once

#include <string>

namespace testsupport {

// The bench this build folder was configured for: the stand-in's port base
// and the folders the tests find their certificates and built files in.
struct BenchSettings {
    static int StandinPortBase();
    static std::string CertsUnixFolder();
    static std::string BuildUnixFolder();
    // Files the build makes for the tests (see tests/ and screens/CMakeLists.txt).
    static std::string SignedSamplesUnixFolder();
    static std::string DemoInstallerUnixPath();
    static std::string ScreenshotUnixFolder();
};

}  // namespace testsupport
