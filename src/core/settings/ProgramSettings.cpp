// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/ProgramSettings.h"

namespace talvex::settings {

RobocopyWindow ProgramSettings::robocopyWindow() const {
    const long long stored = m_store.readInteger("Execute", "Window", 0);
    return stored >= 0 && stored <= 3 ? static_cast<RobocopyWindow>(stored) : RobocopyWindow::Hidden;
}

RunMode ProgramSettings::runMode() const {
    return m_store.readInteger("Execute", "Job", 0) == 1 ? RunMode::TemporaryJobFile : RunMode::CommandLine;
}

} // namespace talvex::settings
