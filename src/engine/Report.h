// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

#include "engine/Options.h"
#include "engine/Output.h"

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

// Sizes as robocopy prints them: plain bytes below 1 KiB, else scaled with k, m, g, t.
[[nodiscard]] std::string FormatSize(std::uint64_t bytes, int decimals);

// Renders the run in robocopy's layout into an Output, honouring the switches that trim it.
class Report final {
public:
    Report(Output& output, const Options& options);

    void header(std::time_t started);
    void directory(std::string_view kind, std::int64_t count, std::string_view path);
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
    Output& m_output;
    const Options& m_options;
    int m_lastPercent = -1;
    std::chrono::steady_clock::time_point m_fileStarted;
};

[[nodiscard]] std::string UsageText();

} // namespace robocopy
