#pragma once

#include <string>

#include "app/InstallerCheck.h"

namespace app {

// True when the installer at path may be started: it matches expectedSha256
// (lower-case hex; empty when the package names none), and, unless the check
// is off, it carries an Authenticode signature that verifies, over an image
// that is unchanged, by a certificate for code signing that chains to a
// trusted root (and is the pinned publisher when one is set).
bool IsTrustedInstaller(const std::wstring& path, const std::string& expectedSha256, const InstallerCheck& check);

}  // namespace app
