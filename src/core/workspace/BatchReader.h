// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/formats/FormatServices.h"
#include "core/options/JobState.h"
#include "core/services/LogSink.h"
#include "core/services/Result.h"

namespace talvex::workspace {

class Workspace;

/// The readers of the four batch layouts. Each fills the workspace's current job from `file` (its
/// job file path and kind are set by the caller); the multi-job readers open one further job per job
/// of the file, taking over path and kind. A job file named on a "/JOB:" line that is missing is
/// looked for in the batch file's folder, after asking the user. Every job read is left not
/// modified and may be saved under another name; a job that could not be read has all flags clear.
void OpenJobBatch(Workspace& workspace, const std::string& file);
void OpenCommandBatch(Workspace& workspace, const std::string& file);
void OpenMultiJobBatch(Workspace& workspace, const std::string& file);
void OpenMultiCommandBatch(Workspace& workspace, const std::string& file);

/// Reads the job file at `path` and applies it to the job with `formats::ReadJobFile`. The error
/// names the file and why it could not be read, or the line that could not be applied.
[[nodiscard]] Status ReadJobFileAt(options::JobState& job, const std::string& path, bool reportFlag, LogSink& log,
                                   const formats::FormatServices& formats);

/// The number of a "REM Job 3" line, or nothing when the line carries none.
[[nodiscard]] std::optional<unsigned> JobNumberOfRemLine(std::string_view line);
/// The number of a multi-job file's job file ("alle.2.rcj" gives 2), or nothing when its name has
/// none before the extension.
[[nodiscard]] std::optional<unsigned> JobNumberOfReference(std::string_view reference);

} // namespace talvex::workspace
