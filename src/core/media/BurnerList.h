// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "platform/OpticalDrives.h"

namespace talvex::media {

/// One line of the burner menu: the device, the bracketed SCSI address (adapter, target, LUN),
/// vendor and product: "/dev/sr0 (1:0:0) HL-DT-ST DVDRAM GH24NSD1". Its first word is the drive
/// the burning tool is given.
[[nodiscard]] std::string BurnerLine(const platform::OpticalDrive& drive);

/// The burner menu's lines for the drives, in their order.
[[nodiscard]] std::vector<std::string> BuildBurnerList(const std::vector<platform::OpticalDrive>& drives);

} // namespace talvex::media
