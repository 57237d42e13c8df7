// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talvex::burn {

/// The switches of the burning tool as a job run passes them:
/// /START /CLOSE /SRC "image" /DEST "drive" /SPEED "n|Max" /ERASE /LOG "file".
struct BurnArguments {
    std::string source;
    std::string destination;
    std::string speed;   ///< empty: the drive's best
    std::string logFile; ///< empty: no log file
    bool erase = false;
};

/// The switches, or why they are refused. Switch names ignore letter case, as the Windows tools do;
/// an unknown or repeated switch, a missing value, a missing /SRC or /DEST, or a speed that is
/// neither a number nor "Max" is refused.
struct ParsedArguments {
    std::optional<BurnArguments> arguments;
    std::string error;
};
[[nodiscard]] ParsedArguments ParseBurnArguments(const std::vector<std::string>& args);

/// What is burnt where, checked against the machine before anything is written: the image must be a
/// regular file; the drive must be one of `opticalDevices`, or "stdio:" and a plain file (new or
/// existing, in an existing folder) — never another device, so that no disk is overwritten by a
/// slip of the pen. Empty when all is well.
[[nodiscard]] std::string CheckBurnTarget(const BurnArguments& arguments,
                                          const std::vector<std::string>& opticalDevices);

/// The arguments for xorriso in its cdrecord personality (program name excluded).
[[nodiscard]] std::vector<std::string> XorrisoArguments(const BurnArguments& arguments);

} // namespace talvex::burn
