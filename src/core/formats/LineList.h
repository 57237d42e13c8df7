// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace talvex::formats {

/// The lines of a file or a command line, without line ends. Text is UTF-8 in the program; it
/// becomes the system code page only when saved (`EncodeTextLines`).
using LineList = std::vector<std::string>;

/// UTF-16 lines, for what is handed to the system as Unicode (the command line of the "Cmd" run).
using WideLineList = std::vector<std::u16string>;

} // namespace talvex::formats
