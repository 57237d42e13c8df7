// SPDX-License-Identifier: GPL-3.0-or-later
#include <chrono>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/output/DryRunCount.h"
#include "core/output/ProgressLines.h"
#include "core/output/ProgressTracker.h"

namespace talvex::output {
namespace {

struct LineCase {
    const char* what;
    std::string line;
    LineKind kind;
    std::string label;
    std::optional<std::uint64_t> size;
    std::string name;
};

// Robocopy's own layout and the bundled engine's, with the switches that change a line's fields.
TEST(ProgressLinesTest, ReadsFileFolderAndPercentLines) {
    const std::vector<LineCase> cases = {
        {"plain bytes below 1 MB", "\t    New File  \t\t    992824\ta.txt", LineKind::File, "New File", 992824,
         "a.txt"},
        {"megabytes", "\t    New File  \t\t     1.0 m\tbig.bin", LineKind::File, "New File", 1048576, "big.bin"},
        {"gigabytes", "\t    Newer     \t\t    12.5 g\tdisk.img", LineKind::File, "Newer", 13421772800ULL, "disk.img"},
        {"/BYTES", "\t    Older     \t\t  5368709120\tx", LineKind::File, "Older", 5368709120ULL, "x"},
        {"/TS after the size", "\t    New File  \t\t      12 2026/12/06 10:00:00\tt.txt", LineKind::File, "New File",
         12, "t.txt"},
        {"/NC", "\t              \t\t       7\tn.txt", LineKind::File, "", 7, "n.txt"},
        {"/NS", "\t    New File  \t\t\tnosize.txt", LineKind::File, "New File", std::nullopt, "nosize.txt"},
        {"extra file", "\t*EXTRA File  \t\t      10\told.txt", LineKind::File, "*EXTRA File", 10, "old.txt"},
        {"name with blanks", "\t    New File  \t\t     3\ta b c.txt", LineKind::File, "New File", 3, "a b c.txt"},
        {"folder", "\t                   3\tC:\\src\\", LineKind::Directory, "", std::nullopt, "C:\\src\\"},
        {"new folder", "\t  New Dir          2\tC:\\dst\\sub\\", LineKind::Directory, "New Dir", std::nullopt,
         "C:\\dst\\sub\\"},
        {"extra folder", "\t*EXTRA Dir        -1\t/dst/old/", LineKind::Directory, "*EXTRA Dir", std::nullopt,
         "/dst/old/"},
        {"percent", " 42%  ", LineKind::Percent, "", std::nullopt, ""},
        {"percent with a fraction", "  4.5%", LineKind::Percent, "", std::nullopt, ""},
        {"percent with the engine's ETA", " 10%  ETA 0:00:03", LineKind::Percent, "", std::nullopt, ""},
        {"over 100", "150%", LineKind::Other, "", std::nullopt, ""},
        {"summary", "   Files :         3         3         0         0         0         0", LineKind::Other, "",
         std::nullopt, ""},
        {"error", "2026/12/06 10:00:00 ERROR 5 (0x00000005) Copying File C:\\a", LineKind::Other, "", std::nullopt, ""},
        {"lone tab", "\t", LineKind::Other, "", std::nullopt, ""},
        {"tab, class, tab and nothing", "\t x \t\t", LineKind::Other, "", std::nullopt, ""},
        {"empty", "", LineKind::Other, "", std::nullopt, ""},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.what);
        const OutputLine line = ReadOutputLine(c.line);
        EXPECT_EQ(line.kind, c.kind);
        EXPECT_EQ(line.label, c.label);
        EXPECT_EQ(line.size, c.size);
        EXPECT_EQ(line.name, c.name);
    }
    EXPECT_DOUBLE_EQ(ReadOutputLine("  4.5%").percent, 4.5);
}

// The lines as the job log receives them: cut at every CR and LF.
std::vector<std::string> Stream(bool percentages) {
    std::vector<std::string> lines = {"\t                   2\t/src/", "\t    New File  \t\t     1.0 m\tbig.bin"};
    if (percentages) {
        lines.insert(lines.end(), {"  0%", " 25%", " 50%"});
    }
    return lines;
}

TEST(ProgressTrackerTest, PercentagesRefineTheCurrentFile) {
    ProgressTracker tracker;
    tracker.setTotals(2, 2 * 1048576);
    for (const std::string& line : Stream(true)) {
        tracker.addLine(line);
    }
    EXPECT_EQ(tracker.progress().currentFile, "big.bin");
    EXPECT_EQ(tracker.progress().filesDone, 0U);
    EXPECT_EQ(tracker.progress().bytesDone, 1048576U / 2);
    EXPECT_DOUBLE_EQ(*tracker.progress().fraction(), 0.25);

    tracker.addLine("100%");
    EXPECT_EQ(tracker.progress().filesDone, 1U);
    EXPECT_EQ(tracker.progress().bytesDone, 1048576U);
    EXPECT_FALSE(tracker.progress().currentPercent);
    // A percentage between files belongs to no file and must not count one twice.
    tracker.addLine("100%");
    EXPECT_EQ(tracker.progress().filesDone, 1U);
}

// /NP, /MT: no percentages; a file counts when the next one starts, the last one at the end.
TEST(ProgressTrackerTest, WithoutPercentagesWholeFilesCount) {
    ProgressTracker tracker;
    for (const std::string& line : Stream(false)) {
        tracker.addLine(line);
    }
    tracker.addLine("\t*EXTRA File  \t\t      10\told.txt");
    tracker.addLine("\t    Newer     \t\t  300\tsmall.txt");
    EXPECT_EQ(tracker.progress().filesDone, 1U) << "an extra file is not copied";
    EXPECT_FALSE(tracker.progress().fraction()) << "no total without a counting pass";
    tracker.finish();
    EXPECT_EQ(tracker.progress().filesDone, 2U);
    EXPECT_EQ(tracker.progress().bytesDone, 1048576U + 300);
}

// /NFL: only folders are listed; the folder stands in for the current file and nothing is counted.
TEST(ProgressTrackerTest, FolderLinesAloneCountNothing) {
    ProgressTracker tracker;
    tracker.setTotals(5, 0);
    tracker.addLine("\t  New Dir          5\t/dst/a/");
    tracker.addLine(" 50%");
    EXPECT_EQ(tracker.progress().currentFile, "/dst/a/");
    EXPECT_EQ(tracker.progress().filesDone, 0U);
    EXPECT_DOUBLE_EQ(*tracker.progress().fraction(), 0.0);
}

TEST(ProgressTrackerTest, TimeLeftFollowsThePaceSoFar) {
    Progress progress;
    progress.bytesTotal = 400;
    progress.bytesDone = 100;
    EXPECT_EQ(EstimateTimeLeft(progress, std::chrono::seconds(10)), std::chrono::seconds(30));
    progress.bytesDone = 0;
    EXPECT_FALSE(EstimateTimeLeft(progress, std::chrono::seconds(10)));
    EXPECT_EQ(TimeLeftText(std::chrono::seconds(3723)), "noch 1:02:03");
    EXPECT_EQ(TimeLeftText(std::chrono::seconds(65)), "noch 1:05");
    EXPECT_EQ(TimeLeftText(std::chrono::seconds(7)), "noch 7 s");
    EXPECT_EQ(ByteCountText(992), "992 Bytes");
    EXPECT_EQ(ByteCountText(1536 * 1024), "1,5 MB");
}

// Folder lines name the source; the extra files under them lie at the destination.
TEST(DryRunCountTest, CountsWhatWouldBeCopiedAndDeleted) {
    DryRunCount count("/src", "/dst/");
    for (const char* line : {
             "\t                   3\t/src/",
             "\t    New File  \t\t    992824\ta.txt",
             "\t    Newer     \t\t     1.0 m\tb.bin",
             "\t*EXTRA File  \t\t      10\told.txt",
             "\t*EXTRA Dir        -1\t/dst/gone/",
             "\t  New Dir          1\t/src/sub/",
             "\t*EXTRA File  \t\t      20\t/dst/sub/full.txt",
             "\t    same      \t\t        5\tkept.txt",
             "   Files :         3         3         0         0         0         2",
         }) {
        count.addLine(line);
    }
    const DryRunSummary& summary = count.summary();
    EXPECT_EQ(summary.files, 2U);
    EXPECT_EQ(summary.bytes, 992824U + 1048576U);
    EXPECT_EQ(summary.newFolders, 1U);
    EXPECT_EQ(summary.extraFiles, 2U);
    EXPECT_EQ(summary.extraFolders, 1U);
    EXPECT_EQ(summary.extraNames, (std::vector<std::string>{"/dst/old.txt", "/dst/gone/", "/dst/sub/full.txt"}));
    EXPECT_EQ(summary.copiedNames, (std::vector<std::string>{"/src/a.txt", "/src/b.bin"}));
}

} // namespace
} // namespace talvex::output
