// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/output/DryRunCount.h"

namespace talvex::exec {

/// What a command line would delete: at the destination (/MIR, /PURGE) and at the source (/MOV,
/// /MOVE). A line with /L deletes nothing.
struct Deletions {
    bool atDestination = false;
    bool atSource = false;
    [[nodiscard]] bool any() const { return atDestination || atSource; }
};

[[nodiscard]] Deletions FindDeletions(std::string_view commandLine);

/// The same robocopy command line as a run with /L that is safe to run beside the job and whose
/// output can be counted: what would write files or change the run's shape is left out (/LOG and
/// its kin, /SAVE, /QUIT, /UNICODE, the monitoring switches /MON, /MOT, /RH, and /NFL, /NDL, /NP,
/// /NS, /NC, /BYTES, /FP, /V, /TEE), then " /L /BYTES /NP" is appended. Switches compare without
/// regard to case; quoted arguments are kept as they are.
[[nodiscard]] std::string DryRunCommandLine(std::string_view commandLine);

/// What the user is asked before a run deletes: "%d Dateien und %d Ordner im Ziel werden gelöscht.
/// Fortfahren?", for moves the files deleted at the source. Empty when nothing would be deleted.
[[nodiscard]] std::string DeletionQuestion(const output::DryRunSummary& summary, Deletions deletions);

/// The log line after a simulation: what would be copied and deleted.
[[nodiscard]] std::string SimulationSummary(const output::DryRunSummary& summary, Deletions deletions);

/// The user's answer to a run that would delete. The program asks with a dialog that lists the
/// first names; tests answer from a script.
class DeletionQuestions {
public:
    virtual ~DeletionQuestions() = default;
    /// `names` are the paths that would go, as counted; true to go on.
    [[nodiscard]] virtual bool confirmDeletion(const std::string& question, const std::vector<std::string>& names) = 0;
};

} // namespace talvex::exec
