// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/SystemJobEnvironment.h"

#include "platform/PathQueries.h"

namespace talvex::session {

bool SystemJobEnvironment::fileExists(const std::string& path) const {
    return platform::IsRegularFile(path);
}

} // namespace talvex::session
