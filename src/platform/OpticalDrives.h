// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace talvex::platform {

/// One optical drive: its device and what the kernel learnt from its INQUIRY answer. Fields the
/// system does not tell stay empty or 0.
struct OpticalDrive {
    std::string device; ///< "/dev/sr0": stands where Windows has the drive letter
    int adapter = 0;    ///< SCSI host number
    int target = 0;
    int lun = 0;
    std::string vendor;  ///< trimmed, up to the first zero byte
    std::string product; ///< trimmed, up to the first zero byte
};

/// The optical drives the kernel lists as block devices "sr<n>" under `sysRoot`/class/block, in
/// the order of their numbers. The root is a parameter so that tests describe a machine of their own.
[[nodiscard]] std::vector<OpticalDrive> ListOpticalDrives(const std::string& sysRoot = "/sys");

} // namespace talvex::platform
