// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/formats/LineList.h"

namespace talvex::workspace {

/// The kind of file a job came from or is saved as. The numbers are stored and compared as such:
/// 1 to 3 are also the filter index of the save dialog, and every value above 4 gets the numbered
/// tab caption.
enum class ScriptKind : std::uint8_t {
    JobFile = 1,           ///< a robocopy job file *.rcj, also the kind of a new job
    JobBatch = 2,          ///< a batch file calling robocopy with "/JOB:" on a job file
    CommandBatch = 3,      ///< a batch file holding one full robocopy command line
    DefaultJob = 4,        ///< the default job "~default.rcj"
    MultiJobBatch = 5,     ///< one "CALL RoboCopy /JOB:" line per job
    MultiCommandBatch = 6, ///< one "CALL Robocopy" command line per job
    Unknown = 255,
};

/// Recognises a file by its first lines: a batch file of one or two lines (empty lines at the end
/// not counted) by its robocopy call, the files this program writes by their header marks. Any
/// other file is a job file when its name ends in ".rcj" (any case) or when every line that says
/// something is a switch line or an indented name of a list (a job saved by robocopy or typed by
/// hand); a log or a script is not. Batch files need the strict layouts, because saving rewrites
/// them whole.
[[nodiscard]] ScriptKind DetectScriptKind(const formats::LineList& lines, std::string_view fileName = {});

/// The same for a file on disk; a file that cannot be read is `ScriptKind::Unknown`.
[[nodiscard]] ScriptKind DetectScriptKind(const std::string& fileName);

} // namespace talvex::workspace
