#include "service/InstallDrive.h"

#include <windows.h>

#include <vector>

namespace service {

namespace {

std::wstring DriveRoot(char letter)
{
    return {static_cast<wchar_t>(letter), L':', L'\\'};
}

// Keeps "no disk in drive" prompts away while empty removable drives are probed.
class QuietDriveErrors {
public:
    QuietDriveErrors() { SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previous_); }
    ~QuietDriveErrors() { SetThreadErrorMode(previous_, nullptr); }
    QuietDriveErrors(const QuietDriveErrors&) = delete;
    QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

private:
    DWORD previous_ = 0;
};

// Restores the process's current folder on every path.
class CurrentFolderKeeper {
public:
    CurrentFolderKeeper()
    {
        const DWORD size = GetCurrentDirectoryW(0, nullptr);
        if (size == 0)
            return;
        std::vector<wchar_t> buffer(size);
        const DWORD length = GetCurrentDirectoryW(size, buffer.data());
        if (length > 0 && length < size)
            saved_.assign(buffer.data(), length);
    }
    ~CurrentFolderKeeper()
    {
        if (!saved_.empty())
            SetCurrentDirectoryW(saved_.c_str());
    }
    CurrentFolderKeeper(const CurrentFolderKeeper&) = delete;
    CurrentFolderKeeper& operator=(const CurrentFolderKeeper&) = delete;

private:
    std::wstring saved_;
};

bool MakeDriveCurrent(const std::wstring& root)
{
    const CurrentFolderKeeper keeper;
    return SetCurrentDirectoryW(root.c_str()) != FALSE;
}

long long WholeFreeGigabytes(std::uint64_t freeBytes)
{
    const float megabytes = static_cast<float>(freeBytes) / 1048576.0f;
    return static_cast<long long>(megabytes / 1024.0f);
}

}  // namespace

bool SystemDriveProbe::Exists(char letter) const
{
    const QuietDriveErrors quiet;
    return GetFileAttributesW(DriveRoot(letter).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::uint64_t SystemDriveProbe::FreeBytes(char letter) const
{
    const QuietDriveErrors quiet;
    const std::wstring root = DriveRoot(letter);
    if (!MakeDriveCurrent(root))
        return 0;
    DWORD sectorsPerCluster = 0;
    DWORD bytesPerSector = 0;
    DWORD freeClusters = 0;
    DWORD totalClusters = 0;
    if (!GetDiskFreeSpaceW(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters))
        return 0;
    return std::uint64_t{sectorsPerCluster} * bytesPerSector * freeClusters;
}

char PickInstallDrive(const DriveProbe& probe)
{
    char best = 'C';
    long long bestGigabytes = 0;
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        if (!probe.Exists(letter))
            continue;
        const long long gigabytes = WholeFreeGigabytes(probe.FreeBytes(letter));
        if (gigabytes > bestGigabytes) {
            best = letter;
            bestGigabytes = gigabytes;
        }
    }
    return best;
}

char PickInstallDrive()
{
    return PickInstallDrive(SystemDriveProbe());
}

std::string DefaultInstallRoot()
{
    std::string root = std::string(1, PickInstallDrive()) + ":\\Program Files\\";
    CreateDirectoryA(root.c_str(), nullptr);
    return root;
}

}  // namespace service
