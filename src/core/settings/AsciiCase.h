// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace talvex::settings {

/// Case rules of the settings files and path lists. Only ASCII letters fold: the stored files are
/// compared the way the Windows program compared them, and folding other letters would depend on
/// the locale of the machine that happens to read the file.
[[nodiscard]] std::string AsciiLower(std::string_view text);
[[nodiscard]] std::string AsciiUpper(std::string_view text);
[[nodiscard]] bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);
[[nodiscard]] bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix);
/// Orders like a case-insensitive sort: by the lower-cased text, ties broken by the text itself so
/// that the order does not depend on the order of input.
[[nodiscard]] bool LessIgnoringAsciiCase(std::string_view a, std::string_view b);

} // namespace talvex::settings
