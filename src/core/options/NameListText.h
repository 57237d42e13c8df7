// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace talvex::options {

/// The lines of a job's name-list text (blocks of "/IF", "/XF", "/ID", "/XD", one name a line, an
/// empty line after each block): split at LF, a CR before it dropped; a line end at the very end
/// closes the last line and starts no new one, so "/XD\nTemp\n\n" is "/XD", "Temp", "".
[[nodiscard]] std::vector<std::string_view> SplitNameList(std::string_view text);

} // namespace talvex::options
