// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talvex::platform {

/// The folder that holds the running program (where the bundled robocopy lies beside it).
[[nodiscard]] std::string OwnProgramFolder();

/// The folders a bare program name is looked for in, in order: the program folder first, then
/// the folders of a PATH value (empty entries are skipped: they would mean the current folder).
[[nodiscard]] std::vector<std::string> ProgramSearchFolders(const std::string& programFolder,
                                                            std::string_view pathValue);

/// Finds the program file for a program name taken from a command line. A name with a folder
/// part is looked for in that folder only, a bare name in each of the search folders in turn.
/// Letter case of the file name is ignored, as on Windows ("RoboCopy" finds "robocopy"); in one
/// folder an exact match wins over one that differs in case. Only executable regular files count.
[[nodiscard]] std::optional<std::string> FindProgram(std::string_view name, const std::vector<std::string>& folders);

} // namespace talvex::platform
