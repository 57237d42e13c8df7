// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

namespace talvex {

/// The colours of the job window's log view; each has one meaning.
enum class LogColour {
    Black,  ///< ordinary text and robocopy's output
    Red,    ///< errors and resets
    Blue,   ///< results, values read, status of runs
    Green,  ///< the start of an action, a run that ended well
    Navy,   ///< a line written into a file
    Purple, ///< headings of multi-job and burn operations
    Orange, ///< a run that ended with something to look at
};

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

[[nodiscard]] Rgb ToRgb(LogColour colour);

/// Where log lines go: the job window's log view in the program, a recorder in tests.
/// Text is UTF-8.
class LogSink {
public:
    virtual ~LogSink() = default;
    virtual void appendLine(std::string_view text, LogColour colour) = 0;
};

/// Swallows every line, for callers that have no log to show.
class NullLogSink final : public LogSink {
public:
    void appendLine(std::string_view /*text*/, LogColour /*colour*/) override {}
};

} // namespace talvex
