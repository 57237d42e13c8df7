// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "core/formats/FormatServices.h"
#include "core/options/JobState.h"
#include "core/services/LogSink.h"
#include "core/services/Paths.h"
#include "core/services/Result.h"

namespace talvex::workspace {

/// Applies a robocopy command line to a job: resets it, then reads the line by the Windows
/// argument rules (quotes group, backslashes are literal). A leading "CALL" and the program name
/// are passed over; the first two arguments that are no switches are the source and the
/// destination; switches of the job-file keyword table are applied with their values, in line
/// order; names after /IF, /XF, /ID and /XD go into the name list until the next switch (with
/// `nameStyle` POSIX only a known switch ends the list, since absolute names start with "/").
/// Unknown switches are reported in red. `announceReset` logs the reset. False when the reset or
/// applying the line failed, with the reason.
[[nodiscard]] Status ParseCommandLine(options::JobState& job, std::string_view line, bool announceReset, LogSink& log,
                                      const formats::FormatServices& services, PathStyle nameStyle = kNativePathStyle);

/// "%" starts a variable in batch files: a literal "%" is written as "%%".
[[nodiscard]] std::string EscapeBatchPercent(std::string_view line);
/// The reverse for a line read from a batch file: "%%" becomes "%", a single "%" stays.
[[nodiscard]] std::string UnescapeBatchPercent(std::string_view line);

} // namespace talvex::workspace
