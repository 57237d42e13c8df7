// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ctime>
#include <string>
#include <string_view>

#include "engine/Options.h"

namespace robocopy {

// The job file robocopy writes for /SAVE: its sections, its comments and its order, so that the
// program and robocopy itself read it back as the same job. path is the file's name as the header
// shows it.
[[nodiscard]] std::string SavedJobText(const Options& options, std::string_view path, std::time_t created);

// The file /SAVE:name writes: the name with robocopy's extension, unless it has it already.
[[nodiscard]] std::string SavedJobPath(const std::string& name);

} // namespace robocopy
