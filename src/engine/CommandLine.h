// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Options.h"

namespace robocopy {

// One argument, either from the command line or from a job file. A name inside a job file's
// list block is literal: it is never taken for a switch, whatever it starts with.
struct Argument {
    std::string text;
    bool fromJob = false;
    bool literal = false;
};

struct JobFileArguments {
    std::vector<Argument> arguments;
    std::vector<std::string> warnings;
};

// Turns the text of a job file (robocopy's saved layout, Talvex's layout or typed by hand) into
// arguments. Unknown switches are skipped with a warning rather than failing the run.
[[nodiscard]] JobFileArguments ReadJobFile(std::string_view text);

// Returns the file's text, or nothing when it cannot be read.
using FileReader = std::function<std::optional<std::string>(const std::string& path)>;

struct ParseResult {
    Options options;
    bool showUsage = false;
    std::string error; // empty when the arguments were accepted
};

// Parses `robocopy SOURCE DEST [FILE ...] [OPTIONS]` and `/JOB:` forms. On POSIX a token that
// starts with "/" counts as a switch only when its name is one we know, so absolute paths work.
[[nodiscard]] ParseResult ParseCommandLine(const std::vector<std::string>& arguments, const FileReader& readFile);

// The usage text's note on switches that are accepted but not carried out; empty when there are none.
[[nodiscard]] std::string UnsupportedSwitchesNote();

// True when the token names a switch we know (case-insensitive, name up to the first ":").
[[nodiscard]] bool IsKnownSwitch(std::string_view token);

} // namespace robocopy
