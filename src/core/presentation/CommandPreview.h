// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/formats/FormatServices.h"
#include "core/options/JobState.h"

namespace talvex::presentation {

/// The command line Start would run, or why there is none yet.
struct CommandPreview {
    /// True when `text` is the command line; false when it says what is missing.
    bool complete = false;
    std::string text;
};

/// Built by the same builder and quoting as a run in "Cmd" mode. A job without a source or a
/// destination folder gets a sentence naming what is missing rather than a line with empty quotes.
[[nodiscard]] CommandPreview PreviewCommandLine(const options::JobState& job, const formats::FormatServices& formats);

} // namespace talvex::presentation
