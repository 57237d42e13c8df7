// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/options/JobState.h"
#include "core/services/LogSink.h"

namespace talvex::formats {

/// The switches of a job that the window does not model ("further options", field edt_KWeitere),
/// kept in the order the file gave them so that opening and saving loses none of them.

/// The words of the further-options text: split at blanks, double quotes grouping and dropped.
[[nodiscard]] std::vector<std::string> FurtherOptionWords(std::string_view text);

/// How a line is read back: a command line by the Windows argument rules, where a backslash before
/// the closing quote escapes it; a job file's line with quotes that only group.
enum class QuoteRules { CommandLine, JobFile };

/// One word as a single argument of a line: quoted when it holds a blank or a character the command
/// interpreter would act on, so a typed value can never break the line.
[[nodiscard]] std::string FurtherOptionArgument(std::string_view word, QuoteRules rules);

/// Appends a switch read from a file to the job's further options and says so in red, once, so the
/// user knows the window shows it only there. A switch whose name holds a quote is left out with a red
/// line: the field cannot keep the quote, and without it "/X"F"" would come back as the real /XF.
void KeepFurtherOption(options::JobState& job, std::string_view word, LogSink& log);

} // namespace talvex::formats
