// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/media/BurnerList.h"

#include "core/services/Format.h"

namespace talvex::media {

std::string BurnerLine(const platform::OpticalDrive& drive) {
    std::string line =
        Format("%s (%d:%d:%d) %s %s", {drive.device, std::to_string(drive.adapter), std::to_string(drive.target),
                                       std::to_string(drive.lun), drive.vendor, drive.product});
    // A drive that did not answer has neither vendor nor product; its line ends at the address.
    line.erase(line.find_last_not_of(' ') + 1);
    return line;
}

std::vector<std::string> BuildBurnerList(const std::vector<platform::OpticalDrive>& drives) {
    std::vector<std::string> lines;
    lines.reserve(drives.size());
    for (const platform::OpticalDrive& drive : drives) {
        lines.push_back(BurnerLine(drive));
    }
    return lines;
}

} // namespace talvex::media
