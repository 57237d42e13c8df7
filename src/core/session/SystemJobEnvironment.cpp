// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/SystemJobEnvironment.h"

#include <filesystem>
#include <system_error>

namespace talvex::session {

bool SystemJobEnvironment::fileExists(const std::string& path) const {
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

} // namespace talvex::session
