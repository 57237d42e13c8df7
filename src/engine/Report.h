// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

#include "engine/Locale.h"
#include "engine/Options.h"
#include "engine/Output.h"
#include "engine/WindowsError.h"

namespace robocopy {

struct Counts {
    std::uint64_t total = 0;
    std::uint64_t copied = 0;
    std::uint64_t skipped = 0;
    std::uint64_t mismatch = 0;
    std::uint64_t failed = 0;
    std::uint64_t extras = 0;
};

struct Statistics {
    Counts dirs;
    Counts files;
    Counts bytes;
    double copySeconds = 0;
    double failedSeconds = 0;
};

// robocopy's exit code: 1 files copied, 2 extras seen, 4 mismatches, 8 failures (16, fatal, is decided elsewhere).
[[nodiscard]] int ExitCodeFor(const Statistics& statistics);

// A size in a file's line: the byte count below 1 MiB, so that it reads as an integer, else "5.0 m".
[[nodiscard]] std::string ClassLineSize(std::uint64_t bytes);
// A size in the summary: plain bytes below 1 KiB, else "16.2 k", "98.23 m", "2.114 g", "1.000 t".
[[nodiscard]] std::string SummarySize(std::uint64_t bytes);

// "2025/10/18 14:44:57 ERROR 5 (0x00000005) Copying File /x", the message line and a blank line.
[[nodiscard]] std::string ErrorLines(const WindowsError& error, std::string_view action, std::string_view path);

// Renders the run in robocopy's layout into an Output, honouring the switches that trim it.
class Report final {
public:
    Report(Output& output, const Options& options, const Locale& locale = {});
    ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    void header(std::time_t started);
    void directory(std::string_view kind, std::int64_t count, std::string_view path);
    // The line stays open: percentages follow on it, and the next line of any kind ends it.
    void file(std::string_view kind, std::uint64_t size, std::time_t modified, std::string_view name);
    void progress(std::uint64_t done, std::uint64_t size);
    void progressDone();
    void error(int code, std::string_view action, std::string_view path);
    void waiting(int seconds);
    void retryLimitExceeded();
    void note(std::string_view text);
    // A note about one folder or file, with its path made safe for the log.
    void notePath(std::string_view what, std::string_view path);
    void limitReached(std::uint64_t limit, std::uint64_t deleted, std::uint64_t more, std::string_view path);
    void summary(const Statistics& statistics, std::time_t started, std::time_t ended, double elapsedSeconds);
    // Hands what was written on before a long wait.
    void flush() { m_output.flush(); }

private:
    // Every line goes through here, so that an open file line is ended first.
    void emit(std::string_view text);
    void endLine();
    [[nodiscard]] bool showsProgress() const;

    Output& m_output;
    const Options& m_options;
    Locale m_locale;
    bool m_lineOpen = false;
    std::uint64_t m_fileSize = 0;
    int m_lastPercent = -1;
    std::chrono::steady_clock::time_point m_fileStarted;
};

[[nodiscard]] std::string UsageText();

} // namespace robocopy
