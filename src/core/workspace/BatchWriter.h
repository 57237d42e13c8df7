// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "core/formats/FormatServices.h"
#include "core/formats/LineList.h"
#include "core/options/JobState.h"
#include "core/services/LogSink.h"
#include "core/services/Paths.h"
#include "core/services/Result.h"
#include "core/workspace/JobList.h"
#include "platform/Files.h"

namespace talvex::workspace {

class Workspace;

/// The file name with the extension of its name part forced to `extension` (".rcj"), compared
/// without regard to ASCII case; a name that already has it stays as it is.
[[nodiscard]] std::string ForceExtension(std::string_view file, std::string_view extension,
                                         PathStyle style = kNativePathStyle);

/// What the save operations need from the program around them. The references must outlive the call.
struct SaveServices {
    const formats::FormatServices& formats;
    /// The system calls the files are written with; tests make them fail.
    platform::FileIo& io;
    PathStyle style = kNativePathStyle;
};

/// The header line and the "RoboCopy /JOB:" line of a Batch/Job file into `lines` (emptied first),
/// each echoed in navy. The folders follow only when the job file leaves them out and they are
/// given. "%" is doubled for the batch file. False without a job reference path.
[[nodiscard]] bool BuildJobBatchLines(const options::JobState& job, formats::LineList& lines, LogSink& log,
                                      const formats::FormatServices& services);

/// The save operations of one job, by its kind. Each logs its progress into the entry's log and
/// succeeds when every file it had to write is on disk; a job is marked not modified only then. A
/// failure carries the reason for the caller to report (`Workspace::SaveJob` logs it).
[[nodiscard]] Status SaveJobFile(JobEntry& entry, const SaveServices& services);
/// The job file (the job reference path, or the batch file's name with ".rcj" appended) and the
/// Batch/Job file calling it.
[[nodiscard]] Status SaveJobBatch(JobEntry& entry, const SaveServices& services);
[[nodiscard]] Status SaveCommandBatch(JobEntry& entry, const SaveServices& services);

/// Rewrites the "CALL" line after "REM Job <Number>" in the entry's multi-job file (and, for the
/// Batch/Job layout, the job's own job file first). A file without that pair of lines is left as
/// it is, and the error says so.
[[nodiscard]] Status UpdateMultiJobBatch(JobEntry& entry, const SaveServices& services);
[[nodiscard]] Status UpdateMultiCommandBatch(JobEntry& entry, const SaveServices& services);

/// All open jobs into the multi-job file the first job's job file path names, in tab order. A job
/// whose line cannot be made is left out and its log says why; the others keep their positions as
/// numbers, and every entry's `Number` becomes its position. Jobs are marked not modified only when
/// the file was written; the error says why it was not, for the caller to report.
[[nodiscard]] Status SaveMultiJobBatch(Workspace& workspace);
[[nodiscard]] Status SaveMultiCommandBatch(Workspace& workspace);

} // namespace talvex::workspace
