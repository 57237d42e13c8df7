// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/options/JobEnvironment.h"

namespace talvex::session {

/// The job model's questions answered from the real file system.
class SystemJobEnvironment final : public options::JobEnvironment {
public:
    [[nodiscard]] bool fileExists(const std::string& path) const override;
};

} // namespace talvex::session
