// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "core/services/LogSink.h"

namespace talvex::exec {

/// How a run's end is to be taken: green, orange or red.
enum class RunSeverity {
    Success, ///< exit codes 0 to 3: nothing or all copied, extras at most
    Warning, ///< 4 to 7: mismatches found, to be looked at
    Failure, ///< 8 and above, a stop, a robocopy that never ran
};

/// The end of a run in words.
struct RunResult {
    /// One sentence for the status and the log: "Dateien kopiert, Zusätzliche Dateien im Ziel".
    std::string text;
    RunSeverity severity = RunSeverity::Success;
};

/// Robocopy's exit code in words, one text a bit as the bits combine: 0 "Nichts zu tun", 1 copied,
/// 2 extra files at the destination, 4 mismatches, 8 copy failures, 16 a fatal error. A stopped run
/// or one without an exit code (robocopy could not be started) is a failure whatever the code.
[[nodiscard]] RunResult DescribeRun(std::optional<int> exitCode, bool stopped);

/// The log line of a run's end: "Ergebnis: Dateien kopiert (Exitcode 1)".
[[nodiscard]] std::string ResultLogLine(const RunResult& result, std::optional<int> exitCode);

[[nodiscard]] LogColour ColourOf(RunSeverity severity);

} // namespace talvex::exec
