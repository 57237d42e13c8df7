// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talvex::output {

/// What one line of robocopy's output says.
enum class EventKind {
    HeaderField,        ///< "  Started : …", "   Source : …", "  Options : …", "   Ended : …": caption, text
    Directory,          ///< a folder line: class (empty for a plain folder), file count, path
    ExtraDirectory,     ///< "*EXTRA Dir": path
    FileStarted,        ///< a file line: class, size, time stamp (/TS), name or path (/FP)
    ExtraFile,          ///< "*EXTRA File": size, name
    Percentage,         ///< a progress figure of the file last started
    Error,              ///< "ERROR n (0x…) action path": code, action as caption, path as text
    ErrorMessage,       ///< the message line that follows an error
    RetryWaiting,       ///< "Waiting n seconds... Retrying...": n as count
    RetryLimitExceeded, ///< "ERROR: RETRY LIMIT EXCEEDED."
    SummaryRow,         ///< "Dirs", "Files", "Bytes" with six values, "Times" with four cells
    Speed,              ///< "Speed : n Bytes/sec.": the figure as text, the unit as caption
    Other,              ///< any other line that is not blank: a banner, a rule, a note
};

/// One event; the fields that its kind does not name stay empty.
struct Event {
    EventKind kind = EventKind::Other;
    std::string caption; ///< class, header caption, error action, summary row or speed unit
    std::string text;    ///< name, path, header value, message or speed figure
    std::optional<std::uint64_t> size;
    std::optional<std::int64_t> count; ///< files in a folder, seconds to wait
    double percent = 0;
    unsigned code = 0;
    std::string stamp;                 ///< a file's time stamp with /TS
    std::vector<std::uint64_t> values; ///< summary rows of counts and bytes: Total … Extras
    std::vector<std::string> cells;    ///< the summary row as written ("5.04 m", "0:00:01")

    friend bool operator==(const Event&, const Event&) = default;
};

/// Reads robocopy's output line by line, from a console, a pipe or a log file, into events: the
/// files and classes, the progress, the errors and the summary table. Works on robocopy's own
/// output and on the bundled engine's alike; lines it does not know become `Other`, never an error.
class RobocopyOutput final {
public:
    /// Reads one line. The line end may be left on or cut off; a CR inside the line (percentages
    /// written on the file's own line) starts a new piece, as a console shows it.
    void feedLine(std::string_view line);
    /// The events found since the last call, in order.
    [[nodiscard]] std::vector<Event> takeEvents();

private:
    void feedPiece(std::string_view piece);
    [[nodiscard]] bool readClassLine(std::string_view line);
    [[nodiscard]] bool readFileLine(std::string_view head, std::string_view rest);
    [[nodiscard]] bool readError(std::string_view line);
    [[nodiscard]] bool readSummary(std::string_view line);
    [[nodiscard]] bool readHeader(std::string_view line);

    std::vector<Event> m_events;
    bool m_afterError = false;
};

/// The classes of file lines whose data robocopy copies; "same", "*EXTRA File", "Mismatch" and the
/// skipped classes of /V are not among them.
[[nodiscard]] bool IsCopiedFileClass(std::string_view caption);
/// A folder line that robocopy creates at the destination.
[[nodiscard]] bool IsNewDirectoryClass(std::string_view caption);

/// A size as robocopy prints it: "36920", "16.2 k", "98.23 m"; scaled sizes are approximate, and
/// one too large to hold is the largest size.
[[nodiscard]] std::optional<std::uint64_t> ParseSize(std::string_view text);

/// A percentage figure ("  7%  ", " 45.3%"), or nothing when the text is not one.
[[nodiscard]] std::optional<double> ParsePercentage(std::string_view text);

} // namespace talvex::output
