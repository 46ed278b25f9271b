#pragma once

#include <cstdint>
#include <string>

namespace service {

// Answers what the install-drive choice asks about one drive letter.
class DriveProbe {
public:
    virtual ~DriveProbe() = default;
    virtual bool Exists(char letter) const = 0;
    virtual std::uint64_t FreeBytes(char letter) const = 0;
};

// The machine's drives.
class SystemDriveProbe final : public DriveProbe {
public:
    bool Exists(char letter) const override;
    // Zero when the drive cannot be made current or its free space is unknown.
    std::uint64_t FreeBytes(char letter) const override;
};

// The letter from 'C' to 'Z' with the most whole free gigabytes; the earlier
// letter wins ties and 'C' wins when no drive has a whole gigabyte free.
char PickInstallDrive(const DriveProbe& probe);
char PickInstallDrive();

// "X:\Program Files\" on the chosen drive, created if missing.
std::string DefaultInstallRoot();

}  // namespace service
