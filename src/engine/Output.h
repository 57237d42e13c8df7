// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace robocopy {

// Where the run's text goes: the console (standard output) and an optional log file, each in
// UTF-8 or UTF-16LE. Writes are buffered but flushed often enough for a front end to show them live.
class Output final {
public:
    Output(int consoleFd, bool consoleUnicode);
    ~Output();
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    // Opens the log file; on failure returns errno. Log files end their lines with CR LF, as
    // robocopy's do, because they are read by Windows tools and by parsers of robocopy's logs; Linux
    // tools read CR LF as well. The console keeps LF for terminals.
    [[nodiscard]] int openLog(const std::string& path, bool append, bool unicode);
    void setConsoleEnabled(bool enabled) { m_consoleEnabled = enabled; }
    [[nodiscard]] int logFd() const { return m_logFd; }

    void write(std::string_view text);
    void writeConsole(std::string_view text); // never into the log
    // What only a watcher of a live console needs (percentages): never into the log, and not to a
    // console that the log replaces.
    void writeTransient(std::string_view text);
    void flush();

private:
    struct Target {
        int fd = -1;
        bool unicode = false;
        bool crlf = false;
        std::string buffer;
    };
    static void Append(Target& target, std::string_view text);
    static void Drain(Target& target);

    Target m_console;
    Target m_log;
    int m_logFd = -1;
    bool m_consoleEnabled = true;
    std::chrono::steady_clock::time_point m_lastFlush;
};

} // namespace robocopy
