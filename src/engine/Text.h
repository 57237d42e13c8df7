// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace robocopy {

[[nodiscard]] std::string ToUpperAscii(std::string_view text);
// Removes characters with codes up to 32 at both ends, as job files are padded with spaces and tabs.
[[nodiscard]] std::string_view TrimBlanks(std::string_view text);
[[nodiscard]] bool EqualsIgnoringCase(std::string_view a, std::string_view b);
// UTF-8 to UTF-16LE bytes; bytes that are not valid UTF-8 become U+FFFD, so odd file names never stop a log.
[[nodiscard]] std::string Utf8ToUtf16le(std::string_view text);
// A name for the log: control characters become \#ooo (octal), as rsync writes them, so that no name
// can start a line of its own; a backslash before "#" is written \#134 so the form stays unambiguous.
[[nodiscard]] std::string EscapeControls(std::string_view text);
// Case-insensitive match with "*" (any run) and "?" (one character), as robocopy matches names.
[[nodiscard]] bool WildcardMatch(std::string_view pattern, std::string_view text);

} // namespace robocopy
