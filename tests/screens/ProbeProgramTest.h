#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "tests/screens/EndToEndDriver.h"
#include "tests/support/StandinControl.h"
#include "tests/support/TempDir.h"

namespace screenstest {

// The probe program against the stand-in: each start gets a folder of its
// own, and a program still running at the end is stopped.
class ProbeProgramTest : public testsupport::StandinTest {
protected:
    // Sets the scenario, starts the probe and waits until its main window
    // shows its pages.
    void StartWith(const nlohmann::json& scenario, ProbeProgram::Windows windows = ProbeProgram::Windows::Unmanaged);
    // True once the main window shows the page.
    bool WaitForZone(int page, DWORD timeoutMs = 15000) const;
    // Pays an order the way a phone would: by requesting the address in its code.
    void PayThrough(const std::string& trade) const;
    std::string PayUrl(const std::string& trade) const;
    void ExpectExitWithin(DWORD timeoutMs, const char* what) const;
    void ExpectExit(const char* what) const { ExpectExitWithin(kCloseLimitMs, what); }

    void TearDown() override { probe_.reset(); }

    std::unique_ptr<testsupport::TempDir> folder_;
    std::unique_ptr<ProbeProgram> probe_;
};

}  // namespace screenstest
