// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ctime>
#include <string>

#include "engine/Locale.h"
#include "engine/Options.h"

namespace robocopy {

// The three lines that open every run and every complaint about the command line.
[[nodiscard]] std::string Banner();

// The switches in effect in robocopy's order, with the defaults it names and the file patterns first:
// "*.* /S /E /DCOPY:DA /COPY:DAT /R:1000000 /W:30 ". Paths of /JOB: and /LOG: are not part of it.
[[nodiscard]] std::string OptionsLine(const Options& options);

// The job header up to its closing rule and the blank line after it.
[[nodiscard]] std::string HeaderText(const Options& options, std::time_t started, const Locale& locale);

// This engine's own warnings (switches it ignores, lines of a job file it skipped). They follow the
// header instead of sitting inside it, so that the block itself reads as robocopy's.
[[nodiscard]] std::string WarningText(const Options& options);

} // namespace robocopy
