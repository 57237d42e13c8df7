// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace talvex::presentation {

/// The language code of the "-l" parameter: "-lde", "-l:de" and "-l de" (then with its blank).
/// The arguments after the program path are joined with blanks and lower-cased (ASCII); the code
/// is everything after the first "-l" to the end, with one leading ":" removed. The program's own
/// path is not searched, so a folder such as "/opt/my-lib" is never taken for the parameter.
[[nodiscard]] std::optional<std::string> LanguageParameter(const std::vector<std::string>& argumentsAfterProgram);

} // namespace talvex::presentation
