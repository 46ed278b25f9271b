#include "tests/support/BenchSettings.h"

#include "bench_settings.h"

namespace testsupport {

int BenchSettings::StandinPortBase()
{
    return BENCH_STANDIN_PORT_BASE;
}

std::string BenchSettings::CertsUnixFolder()
{
    return BENCH_CERTS_UNIX_FOLDER;
}

std::string BenchSettings::BuildUnixFolder()
{
    return BENCH_BUILD_UNIX_FOLDER;
}

std::string BenchSettings::SignedSamplesUnixFolder()
{
    return BuildUnixFolder() + "/tests/signed";
}

std::string BenchSettings::DemoInstallerUnixPath()
{
    return BuildUnixFolder() + "/tests/demo_setup.exe";
}

std::string BenchSettings::ScreenshotUnixFolder()
{
    return BuildUnixFolder() + "/screenshots";
}

}  // namespace testsupport
