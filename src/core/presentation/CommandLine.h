// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace talvex::presentation {

/// The files to open: the leading arguments that do not start with "-" (a file manager passes the
/// job files it opens with the program this way).
[[nodiscard]] std::vector<std::string> FileParameters(const std::vector<std::string>& argumentsAfterProgram);

/// The language code of the "-l" parameter: "-lde", "-l:de" and "-l de" (then with its blank).
/// The arguments after the files are joined with blanks and lower-cased (ASCII); the code is
/// everything after the first "-l" to the end, with one leading ":" removed. Neither the program's
/// own path nor a file is searched, so "/opt/my-lib" or "backup-laptop.rcj" never sets a language.
[[nodiscard]] std::optional<std::string> LanguageParameter(const std::vector<std::string>& argumentsAfterProgram);

/// "--version" or "--help" as the only argument: answered on standard output without a window.
enum class InfoRequest { None, Version, Help };
[[nodiscard]] InfoRequest InfoParameter(const std::vector<std::string>& argumentsAfterProgram);

} // namespace talvex::presentation
