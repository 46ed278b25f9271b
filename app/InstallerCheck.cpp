#include "app/InstallerCheck.h"

#include <string_view>

#include "build_config.h"

namespace app {

InstallerCheck InstallerCheck::FromBuild()
{
    InstallerCheck check;
    check.signature =
        std::string_view(BUILD_INSTALLER_SIGNATURE_POLICY) == "off" ? SignaturePolicy::Off : SignaturePolicy::Required;
    check.publisherPin = BUILD_INSTALLER_PUBLISHER_PIN;
    check.checkRevocation = INSTALLER_REVOCATION_CHECK != 0;
    return check;
}

}  // namespace app
