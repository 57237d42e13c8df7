// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>

#include "core/options/JobEnvironment.h"

namespace talvex::session {

/// The job model's questions answered from the real file system.
class SystemJobEnvironment final : public options::JobEnvironment {
public:
    /// `burningTool` is the burning tool found at start-up; empty when there is none.
    explicit SystemJobEnvironment(std::string burningTool = {}) : m_burningTool(std::move(burningTool)) {}

    [[nodiscard]] bool fileExists(const std::string& path) const override;
    [[nodiscard]] bool burningToolInstalled() const override { return !m_burningTool.empty(); }

private:
    std::string m_burningTool;
};

} // namespace talvex::session
