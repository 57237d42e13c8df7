// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/formats/FormatServices.h"
#include "core/formats/LineList.h"
#include "core/options/JobState.h"
#include "core/services/LogSink.h"
#include "core/services/Result.h"

namespace talvex::formats {

/// The first line of command lines and batch files: "REM" with the program's version, date and time.
[[nodiscard]] std::string CommandLineHeader(const FormatServices& services);

/// Builds the robocopy command line of a job into `lines` (emptied first): line 0 a "REM" header
/// with version, date and time, line 1 "Robocopy", the quoted source and destination (each only
/// when given) and every set switch in robocopy's documented order. Paths outside the code page go
/// in as short names. Log files and names with blanks are quoted. Every line is echoed into `log`.
/// For command-line batch files. False when building failed, with the reason; the list is then not
/// to be used.
[[nodiscard]] Status BuildCommandLine(const options::JobState& job, LineList& lines, LogSink& log,
                                      const FormatServices& services);

/// The Unicode variant for running the job directly: the same switches, the folders unchanged and
/// always present (an empty folder gives an empty pair of quotes), nothing logged.
[[nodiscard]] Status BuildCommandLineW(const options::JobState& job, WideLineList& lines,
                                       const FormatServices& services);

/// A folder as one quoted command-line argument that the Windows argument rules read back as the
/// folder: without trailing separators, a root's separator doubled ("E:\\" gives E:\).
[[nodiscard]] std::string QuotedFolder(std::string_view path);

} // namespace talvex::formats
