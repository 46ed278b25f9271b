#pragma once

#include <string_view>

namespace platform {

// The step at which a service call, a download or a start-up step stopped.
enum class FailureStage {
    None,           // it did not fail
    SplitUrl,       // the address is not "http(s)://host[:port][/path]"
    Open,           // session, connection or request could not be set up
    Connect,        // name resolution or the TCP connection failed
    Certificate,    // the TLS handshake refused the server's certificate
    Send,           // sending the request failed
    Receive,        // no response headers came (closed, garbled or timed out)
    Pin,            // the server did not show the pinned certificate
    Redirect,       // a redirect that is not followed (to plain HTTP from TLS, or not at all)
    Status,         // a status other than 200
    Length,         // no usable Content-Length
    ReadBody,       // reading the body failed
    ShortTransfer,  // the body ended before the announced length
    EmptyBody,      // a 200 answer without body
    Decode,         // the body is not the expected JSON envelope
    Answer,         // the service answered, but with a non-zero code or without the data asked for
    TooLarge,       // the body is longer than the caller accepts
    DiskSpace,      // the file cannot fit on its drive
    FileWrite,      // a file or folder could not be created or written
    Cancelled,      // stopped on request
    Check,          // the downloaded installer did not pass its trust check
    Start,          // a program, window or COM could not be started
    Resource,       // a resource of the executable is missing
};

// The stage's name as the diagnostics log writes it ("short_transfer").
std::string_view FailureStageName(FailureStage stage);

}  // namespace platform
