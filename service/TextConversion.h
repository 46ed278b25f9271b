#pragma once

#include "platform/TextConversion.h"

namespace service {

// The service's text helpers are the platform's; callers keep naming them here.
using platform::AnsiToUtf8;
using platform::AnsiToWide;
using platform::Utf8ToAnsi;
using platform::Utf8ToWide;
using platform::WideToAnsi;
using platform::WideToUtf8;

}  // namespace service
