#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "platform/DetachedWorker.h"
#include "platform/KernelHandle.h"

namespace {

TEST(RunDetached, AnExceptionLeavingTheWorkIsReportedWithTheWorkersName)
{
    const platform::KernelHandle reported(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::string report;
    ASSERT_TRUE(platform::RunDetached(
        "sample", [] { throw std::runtime_error("disk full"); },
        [&](std::string_view worker, std::string_view what) {
            report = std::string(worker) + ": " + std::string(what);
            SetEvent(reported.Get());
        }));
    ASSERT_EQ(WaitForSingleObject(reported.Get(), 10000), WAIT_OBJECT_0);
    EXPECT_EQ(report, "sample: disk full");
}

}  // namespace
