// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "core/formats/FormatServices.h"
#include "core/formats/LineList.h"
#include "core/options/JobState.h"
#include "core/services/LogSink.h"
#include "core/services/Paths.h"
#include "core/services/Result.h"

namespace talvex::formats {

/// Applies the lines of a robocopy job file to a job: resets the job's options, then sets every
/// option a line names, in file order, so the coupling between options acts as if the user had
/// ticked them one after the other. Switches are recognised in any letter case; comments after
/// "::", indentation by blanks or tabs and lines without a switch are accepted. A switch the
/// program does not model is skipped and reported in red, because saving the job would drop it.
///
/// `reportFlag` announces the reset and echoes the names of the name lists (opening a file);
/// loading the default job into an open job passes false. `nameStyle` decides where a name-list
/// block ends: with Windows paths at any line holding "/", with POSIX paths (absolute names hold
/// "/") only at a line that starts with a known switch. False when applying the lines failed, with
/// the reason and the line; the options set up to then stay set. A failing reset is only logged.
[[nodiscard]] Status ReadJobFile(options::JobState& job, const LineList& lines, bool reportFlag, LogSink& log,
                                 const FormatServices& services, PathStyle nameStyle = kNativePathStyle);

/// Collects the double-quoted arguments behind "/job" (any case) in a robocopy command line into
/// `lines` (emptied first), an empty pair of quotes as an empty entry that keeps its place: for `RoboCopy /JOB:"a.rcj"
/// "C:\x" "D:\y"` the list is the job file, the source and the destination. Always true.
bool ParseJobParameter(std::string_view commandLine, LineList& lines, LogSink& log);

} // namespace talvex::formats
