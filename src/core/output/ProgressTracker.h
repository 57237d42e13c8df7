// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/output/RobocopyOutput.h"

namespace talvex::output {

/// How far a run has got, as its output tells.
struct Progress {
    std::uint64_t filesDone = 0;
    std::uint64_t bytesDone = 0;
    /// From a counting pass before the run; 0 when there was none.
    std::uint64_t filesTotal = 0;
    std::uint64_t bytesTotal = 0;
    /// The file being copied (its folder when the output lists no files), empty between files.
    std::string currentFile;
    /// The current file's percentage; none before robocopy printed one (or with /NP).
    std::optional<double> currentPercent;

    /// Done of the total from 0 to 1, by bytes where they are known, else by files; none without a
    /// total.
    [[nodiscard]] std::optional<double> fraction() const;
};

/// Follows the events of a run's output and keeps its progress: a file counts as done when robocopy
/// reports 100 %, or moves on to the next file or folder, or the run ends. Percentages only
/// refine the current file's bytes, so output without them (/NP, /MT) still counts whole files.
class ProgressTracker final {
public:
    void setTotals(std::uint64_t files, std::uint64_t bytes);
    void addEvent(const Event& event);
    /// The run has ended: the last file is done.
    void finish();
    [[nodiscard]] const Progress& progress() const { return m_progress; }

private:
    void finishFile();

    Progress m_progress;
    std::uint64_t m_currentSize = 0;
    std::uint64_t m_bytesOfFinishedFiles = 0;
    bool m_inFile = false;
};

/// The time a run still needs at the pace it has had for `elapsed`; none while there is no pace to
/// go by or no total.
[[nodiscard]] std::optional<std::chrono::seconds> EstimateTimeLeft(const Progress& progress,
                                                                   std::chrono::duration<double> elapsed);

/// "noch 1:02:03", "noch 4:05", "noch 7 s".
[[nodiscard]] std::string TimeLeftText(std::chrono::seconds left);

/// The progress in one line: "3 von 10 Dateien, 1,5 MB von 4,0 MB, noch 0:12 — big.bin"; the
/// totals and the time left only where they are known.
[[nodiscard]] std::string ProgressText(const Progress& progress, std::chrono::duration<double> elapsed);

/// A byte count for people: "992 Bytes", "1,5 MB" (steps of 1024, one decimal, a decimal comma).
[[nodiscard]] std::string ByteCountText(std::uint64_t bytes);

} // namespace talvex::output
