// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace talvex::formats {

/// Removes every character with a code from 0 to 32 at both ends (blanks, tabs, line ends, controls).
[[nodiscard]] std::string_view TrimBlanks(std::string_view text);

/// Everything before the first "::" (a comment marker), or the whole text.
[[nodiscard]] std::string_view CutAtComment(std::string_view text);

/// A folder path as the path fields hold it: without trailing separators, except that a root keeps
/// one ("C:\", "\\server\share\"). Paths with a drive letter, a network prefix or a "\" are taken as
/// Windows paths on every platform, because job files and batch files carry them; others follow
/// the native style, so the POSIX root "/" is kept.
[[nodiscard]] std::string NormaliseFolderPath(std::string_view path);

} // namespace talvex::formats
