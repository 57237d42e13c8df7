// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace talvex::platform {

/// One optical drive: its device and what the kernel learnt from its INQUIRY answer. Fields the
/// system does not tell stay empty or 0.
struct OpticalDrive {
    std::string device; ///< "E:" on Windows; "/dev/sr0" on POSIX, where it stands for the drive letter
    int adapter = 0;    ///< SCSI host number
    int target = 0;
    int lun = 0;
    std::string vendor;  ///< trimmed, up to the first zero byte
    std::string product; ///< trimmed, up to the first zero byte
};

#ifdef _WIN32
/// The SCSI address of a drive: port (adapter), path, target and logical unit.
struct ScsiAddress {
    int adapter = 0;
    int path = 0;
    int target = 0;
    int lun = 0;
};

/// What the drive list asks of Windows, so that tests describe a machine of their own.
class DriveQueries {
public:
    virtual ~DriveQueries() = default;
    /// Bit n set: drive letter 'A' + n exists (GetLogicalDrives).
    [[nodiscard]] virtual std::uint32_t logicalDrives() const = 0;
    /// True for a CD/DVD drive (GetDriveTypeW gives DRIVE_CDROM).
    [[nodiscard]] virtual bool isOptical(char letter) const = 0;
    [[nodiscard]] virtual std::optional<ScsiAddress> address(char letter) const = 0;
    /// The drive's raw answer to a standard INQUIRY; empty when it cannot be asked.
    [[nodiscard]] virtual std::string inquiry(char letter) const = 0;
};

/// The CD/DVD drives in the order of their letters, each with what its INQUIRY answer tells.
[[nodiscard]] std::vector<OpticalDrive> ListOpticalDrives(const DriveQueries& queries);
/// The same for the drives of this machine.
[[nodiscard]] std::vector<OpticalDrive> ListOpticalDrives();
#else
/// The optical drives the kernel lists as block devices "sr<n>" under `sysRoot`/class/block, in
/// the order of their numbers. The root is a parameter so that tests describe a machine of their own.
[[nodiscard]] std::vector<OpticalDrive> ListOpticalDrives(const std::string& sysRoot = "/sys");
#endif

} // namespace talvex::platform
