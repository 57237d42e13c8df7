// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace talvex::output {

/// What one line of robocopy's output is, as far as progress and counting need to know.
enum class LineKind {
    Other,     ///< header, summary, error and retry lines, empty lines
    Directory, ///< a folder line: "\t  New Dir          3\tC:\dst\sub\"
    File,      ///< a file line: "\t    New File  \t\t    992824\tname"
    Percent,   ///< a percentage of the current file: " 42%", " 4.2%"
};

/// What a file or folder line says; the views point into the line that was read.
struct OutputLine {
    LineKind kind = LineKind::Other;
    /// The class as robocopy printed it ("New File", "*EXTRA Dir"); empty with /NC or none shown.
    std::string_view label;
    /// A file's size in bytes (rounded when robocopy printed it in k, m, g or t); none with /NS.
    std::optional<std::uint64_t> size;
    /// A file's name (its full path with /FP), a folder's path.
    std::string_view name;
    /// The percentage of a Percent line, 0 to 100.
    double percent = 0;
};

/// Reads one output line (already cut at CR and LF). Robocopy's own layout and the bundled engine's
/// are read alike; anything else is Other, never an error.
[[nodiscard]] OutputLine ReadOutputLine(std::string_view line);

/// A size field as robocopy prints it: "992824", "1.0 m", "12.5 g" (k, m, g, t in steps of 1024).
[[nodiscard]] std::optional<std::uint64_t> ReadSize(std::string_view field);

/// The classes of file lines whose data robocopy copies; "Same", "*EXTRA File", "Mismatch" and the
/// skipped classes of /V are not among them.
[[nodiscard]] bool IsCopiedFileClass(std::string_view label);
[[nodiscard]] bool IsExtraFile(std::string_view label);
[[nodiscard]] bool IsExtraDirectory(std::string_view label);
[[nodiscard]] bool IsNewDirectory(std::string_view label);

} // namespace talvex::output
