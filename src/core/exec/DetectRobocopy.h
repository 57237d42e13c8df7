// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/services/UserInterface.h"

namespace talvex::exec {

/// The folders robocopy is looked for in, in this order: the settings folder (where a user may put
/// the robocopy of their choice), the system folders (the folders of PATH on POSIX) and the
/// program's own folder (where the bundled engine lies). Empty entries are skipped.
struct RobocopyLocations {
    std::string settingsFolder;
    std::vector<std::string> systemFolders;
    std::string programFolder;
};

/// The robocopy found and the short name of its version for the status bar.
struct RobocopyDetection {
    std::string programFile;
    /// Empty when the file carries no version of a robocopy.
    std::string shownName;
    /// Our own engine, known by the company its version names: the job window then notes which
    /// switches it accepts without carrying them out.
    bool bundledEngine = false;
};

/// The short name of a robocopy file version: the known generations by name, any other as
/// "RoboCopy " followed by the version.
[[nodiscard]] std::string RobocopyShownName(std::string_view fileVersion);

/// Finds the robocopy program file and names its version. When there is none, the user is told
/// that the program will close, and nothing is returned: the caller then ends the program at once,
/// without writing anything.
[[nodiscard]] std::optional<RobocopyDetection> DetectRobocopy(const RobocopyLocations& locations, UserInterface& ui);

} // namespace talvex::exec
