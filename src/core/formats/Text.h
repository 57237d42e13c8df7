// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace talvex::formats {

/// Removes every character with a code from 0 to 32 at both ends (blanks, tabs, line ends, controls).
[[nodiscard]] std::string_view TrimBlanks(std::string_view text);

/// The ASCII letters a to z as A to Z; every other byte (umlauts in UTF-8 included) stays.
[[nodiscard]] std::string ToUpperAscii(std::string_view text);

/// Everything before the first "::" (a comment marker), or the whole text.
[[nodiscard]] std::string_view CutAtComment(std::string_view text);

/// The lines of the name-list text: split at LF (a CR before it goes too); a line end at the very
/// end closes the last line and starts no new one, so "/XD\nTemp\n\n" is "/XD", "Temp", "".
[[nodiscard]] std::vector<std::string> SplitNameList(std::string_view text);

/// A folder path as the path fields hold it: without trailing separators, a drive root as its
/// letter and colon ("C:"). Paths with a drive letter, a network prefix or a "\" are taken as
/// Windows paths on every platform, because job files and batch files carry them; others follow
/// the native style, so the POSIX root "/" is kept.
[[nodiscard]] std::string NormaliseFolderPath(std::string_view path);

} // namespace talvex::formats
