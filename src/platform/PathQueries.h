// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// What the program asks of a path it holds as UTF-8 text. These go through PathFromUtf8, so on
// Windows they ask about the file the text names, not about its ANSI code-page misreading.
namespace talvex::platform {

/// True when something of this name exists. False for an empty name and when the file system
/// cannot be asked.
[[nodiscard]] bool PathExists(std::string_view utf8);

/// True for an existing regular file (through a symbolic link too); false as for PathExists.
[[nodiscard]] bool IsRegularFile(std::string_view utf8);

/// True for an existing folder (through a symbolic link too); false as for PathExists.
[[nodiscard]] bool IsFolder(std::string_view utf8);

} // namespace talvex::platform
