// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/BurningTools.h"

namespace talvex::platform {

std::optional<std::string> InstalledBurningTool() {
    return std::nullopt;
}

} // namespace talvex::platform
