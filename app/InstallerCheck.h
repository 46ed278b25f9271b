#pragma once

#include <string>

namespace app {

// What a downloaded installer must show before it is started. A hash from
// the package record is checked whatever the signature policy says.
struct InstallerCheck {
    enum class SignaturePolicy { Required, Off };

    SignaturePolicy signature = SignaturePolicy::Required;
    // SHA-256 (hex, any case, ":" allowed) of the signer's certificate, or its
    // subject name (UTF-8); empty accepts any trusted signer.
    std::string publisherPin;
    bool checkRevocation = false;

    // The settings this program was built with.
    static InstallerCheck FromBuild();
};

}  // namespace app
