// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "core/formats/FormatServices.h"
#include "core/formats/LineList.h"
#include "core/options/JobState.h"
#include "core/services/LogSink.h"
#include "core/services/Paths.h"
#include "core/workspace/JobList.h"

namespace talvex::workspace {

class Workspace;

/// The file name with the extension of its name part forced to `extension` (".rcj"), compared
/// without regard to ASCII case; a name that already has it stays as it is.
[[nodiscard]] std::string ForceExtension(std::string_view file, std::string_view extension,
                                         PathStyle style = kNativePathStyle);

/// Saves the lines (atomically, so a failed write leaves the old file intact); logs a failure with
/// its reason in red. True when the file is on disk afterwards.
bool SaveLines(const std::string& path, const formats::LineList& lines, LogSink& log);

/// The header line and the "RoboCopy /JOB:" line of a Batch/Job file into `lines` (emptied first),
/// each echoed in navy. The folders follow only when the job file leaves them out and they are
/// given. "%" is doubled for the batch file. False without a job reference path.
[[nodiscard]] bool BuildJobBatchLines(const options::JobState& job, formats::LineList& lines, LogSink& log,
                                      const formats::FormatServices& services);

/// The save operations of one job, by its kind. Each logs its progress into the entry's log and
/// returns true when every file it had to write is on disk; a job is marked not modified only then.
bool SaveJobFile(JobEntry& entry, const formats::FormatServices& services, PathStyle style = kNativePathStyle);
/// The job file (the job reference path, or the batch file's name with ".rcj" appended) and the
/// Batch/Job file calling it.
bool SaveJobBatch(JobEntry& entry, const formats::FormatServices& services, PathStyle style = kNativePathStyle);
bool SaveCommandBatch(JobEntry& entry, const formats::FormatServices& services, PathStyle style = kNativePathStyle);

/// Rewrites the "CALL" line after "REM Job <Number>" in the entry's multi-job file (and, for the
/// Batch/Job layout, the job's own job file first). A file without that pair of lines is left as
/// it is, and the log says so.
bool UpdateMultiJobBatch(JobEntry& entry, const formats::FormatServices& services, PathStyle style = kNativePathStyle);
bool UpdateMultiCommandBatch(JobEntry& entry, const formats::FormatServices& services);

/// All open jobs into the multi-job file the first job's job file path names, in tab order. A job
/// whose line cannot be made is left out; the others keep their positions as numbers, and every
/// entry's `Number` becomes its position.
bool SaveMultiJobBatch(Workspace& workspace);
bool SaveMultiCommandBatch(Workspace& workspace);

} // namespace talvex::workspace
