// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exec/DryRun.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/exec/RunResult.h"

namespace talvex::exec {
namespace {

TEST(DryRunTest, FindsWhatALineDeletes) {
    struct Case {
        const char* line;
        bool atDestination;
        bool atSource;
    };
    for (const Case& c : std::vector<Case>{
             {R"(Robocopy "/a" "/b" /E)", false, false},
             {R"(Robocopy "/a" "/b" /mir)", true, false},
             {R"(Robocopy "/a" "/b" /E /PURGE)", true, false},
             {R"(Robocopy "/a" "/b" /MOV)", false, true},
             {R"(Robocopy "/a" "/b" /MOVE /MIR)", true, true},
             {R"(Robocopy "/a" "/b" /MIR /L)", false, false},
             // A folder named like a switch is a folder.
             {R"(Robocopy "/MIR" "/b")", false, false},
             {R"(Robocopy "/a /MIR" "/b")", false, false},
         }) {
        SCOPED_TRACE(c.line);
        const Deletions found = FindDeletions(c.line);
        EXPECT_EQ(found.atDestination, c.atDestination);
        EXPECT_EQ(found.atSource, c.atSource);
    }
}

// The pass must not write the job's log file, must list every file and folder, must end, and must
// be read as 8-bit text.
TEST(DryRunTest, LineLeavesOutWhatWouldWriteHideOrNeverEnd) {
    EXPECT_EQ(DryRunCommandLine(R"(Robocopy "C:\a b" "D:\z" /MIR /LOG:"C:\my log.txt" /unilog+:x /NFL /NDL /MON:3 )"
                                R"(/MOT:5 /RH:0100-0200 /UNICODE /SAVE:job /QUIT /TEE /NP /NS /NC /FP /V /R:2)"),
              R"(Robocopy "C:\a b" "D:\z" /MIR /R:2 /L /BYTES /NP)");
}

TEST(DryRunTest, AsksOnlyWhenSomethingWouldGo) {
    output::DryRunSummary summary;
    EXPECT_EQ(DeletionQuestion(summary, {.atDestination = true, .atSource = true}), "");
    summary.extraFiles = 3;
    summary.files = 4;
    EXPECT_EQ(DeletionQuestion(summary, {.atDestination = true, .atSource = false}),
              "3 Dateien und 0 Ordner im Ziel werden gelöscht.\nFortfahren?");
    EXPECT_EQ(DeletionQuestion(summary, {.atDestination = false, .atSource = true}),
              "4 Dateien werden nach dem Kopieren in der Quelle gelöscht.\nFortfahren?");
}

TEST(RunResultTest, ExitCodeBitsCombineIntoWordsAndColour) {
    struct Case {
        std::optional<int> code;
        bool stopped;
        const char* text;
        RunSeverity severity;
    };
    for (const Case& c : std::vector<Case>{
             {0, false, "Nichts zu tun", RunSeverity::Success},
             {1, false, "Dateien kopiert", RunSeverity::Success},
             {3, false, "Dateien kopiert, Zusätzliche Dateien im Ziel", RunSeverity::Success},
             {5, false, "Dateien kopiert, Abweichungen gefunden", RunSeverity::Warning},
             {9, false, "Dateien kopiert, Einige Dateien konnten nicht kopiert werden (Fehler)", RunSeverity::Failure},
             {16, false, "Schwerer Fehler: nichts kopiert", RunSeverity::Failure},
             {143, false, "Unbekannter Exitcode 143", RunSeverity::Failure},
             {1, true, "Abgebrochen", RunSeverity::Failure},
             {std::nullopt, false, "Robocopy wurde nicht ausgeführt", RunSeverity::Failure},
         }) {
        SCOPED_TRACE(c.text);
        const RunResult result = DescribeRun(c.code, c.stopped);
        EXPECT_EQ(result.text, c.text);
        EXPECT_EQ(result.severity, c.severity);
    }
    EXPECT_EQ(ResultLogLine(DescribeRun(1, false), 1), "Ergebnis: Dateien kopiert (Exitcode 1)");
}

} // namespace
} // namespace talvex::exec
