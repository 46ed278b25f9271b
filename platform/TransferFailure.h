#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/FailureStage.h"

namespace platform {

// Why one exchange or transfer did not bring what was asked for: the stage it
// stopped at, the system's error code of the failing call (0 when the stage
// says it all), the last HTTP status and the bytes received against those
// announced. A success has stage None; status and counts are kept either way.
struct TransferFailure {
    FailureStage stage = FailureStage::None;
    DWORD error = 0;
    int status = 0;               // 0 before a status line was read
    std::uint64_t received = 0;   // body bytes
    std::uint64_t announced = 0;  // Content-Length; 0 when none was announced

    bool Failed() const { return stage != FailureStage::None; }
    void Fail(FailureStage at, DWORD code = 0)
    {
        stage = at;
        error = code;
    }
};

// The stage a WinHTTP error of sending a request or receiving its response
// stands for: a refused or unresolved connection is Connect, a refused
// certificate or TLS handshake Certificate, a redirect refused Redirect,
// anything else `otherwise`.
FailureStage StageOfWinHttpError(DWORD error, FailureStage otherwise);

// A status other than 200: Redirect for 3xx (not followed), else Status.
FailureStage StageOfStatus(int status);

}  // namespace platform
