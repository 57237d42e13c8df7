// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace talvex::formats {

/// What the job file and command-line writers and the reader ask of the world around them. The
/// program passes the platform's answers, tests a fake, so headers and paths are reproducible.
class FormatServices {
public:
    virtual ~FormatServices() = default;

    /// The current date in the system's short form and the time in its long form, as headers of
    /// written files show them (`platform::Clock::shortDateText`, `longTimeText`).
    [[nodiscard]] virtual std::string dateText() const = 0;
    [[nodiscard]] virtual std::string timeText() const = 0;

    /// The program's version text ("Version 1.0", "Build 12"), empty when unknown.
    [[nodiscard]] virtual std::string versionText() const = 0;

    /// A Unicode path (UTF-8) as it can be written into a file in the system code page: components
    /// outside the code page replaced by their short names where the file system has them.
    [[nodiscard]] virtual std::string toCodePagePath(std::string_view path) const = 0;

    /// The reverse: components that look like short names ("~") expanded to their long names.
    [[nodiscard]] virtual std::string toLongPath(std::string_view path) const = 0;

    /// The log file a log option names when its file field is empty ("tmp.log" in the settings
    /// folder or the documents folder, see `DefaultLogFile`).
    [[nodiscard]] virtual std::string defaultLogFile() const = 0;
};

} // namespace talvex::formats
