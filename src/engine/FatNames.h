// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "engine/FileOps.h"

namespace robocopy {

// /FAT: the destination names of a folder's entries in 8.3 form, as Windows makes the short names
// of a FAT volume: upper case, at most eight characters and a three-character extension, with "~n"
// where a name had to be cut or changed, unique within the folder. A POSIX system keeps no short
// name beside the long one, so the short name is the only name the copy gets. Aligned with entries,
// which are sorted by name, so that the same tree gets the same names in every run.
[[nodiscard]] std::vector<std::string> FatNames(const std::vector<Entry>& entries);

} // namespace robocopy
