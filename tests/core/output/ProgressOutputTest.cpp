// SPDX-License-Identifier: GPL-3.0-or-later
#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "core/output/DryRunCount.h"
#include "core/output/ProgressTracker.h"
#include "core/output/RobocopyOutput.h"

namespace talvex::output {
namespace {

// The lines as the job log receives them: cut at every CR and LF.
template <typename Consumer>
void Feed(Consumer& consumer, std::initializer_list<std::string_view> lines) {
    RobocopyOutput reader;
    for (const std::string_view line : lines) {
        reader.feedLine(line);
        for (const Event& event : reader.takeEvents()) {
            consumer.addEvent(event);
        }
    }
}

constexpr std::string_view kFolder = "\t                   2\t/src/";
constexpr std::string_view kBigFile = "\t    New File  \t\t     1.0 m\tbig.bin";

TEST(ProgressTrackerTest, PercentagesRefineTheCurrentFile) {
    ProgressTracker tracker;
    tracker.setTotals(2, 2 * 1048576);
    Feed(tracker, {kFolder, kBigFile, "  0%", " 25%", " 50%"});
    EXPECT_EQ(tracker.progress().currentFile, "big.bin");
    EXPECT_EQ(tracker.progress().filesDone, 0U);
    EXPECT_EQ(tracker.progress().bytesDone, 1048576U / 2);
    EXPECT_DOUBLE_EQ(*tracker.progress().fraction(), 0.25);

    Feed(tracker, {"100%"});
    EXPECT_EQ(tracker.progress().filesDone, 1U);
    EXPECT_EQ(tracker.progress().bytesDone, 1048576U);
    EXPECT_FALSE(tracker.progress().currentPercent);
    // A percentage between files belongs to no file and must not count one twice.
    Feed(tracker, {"100%"});
    EXPECT_EQ(tracker.progress().filesDone, 1U);
}

// /NP, /MT: no percentages; a file counts when the next one starts, the last one at the end.
TEST(ProgressTrackerTest, WithoutPercentagesWholeFilesCount) {
    ProgressTracker tracker;
    Feed(tracker, {kFolder, kBigFile, "\t*EXTRA File  \t\t      10\told.txt", "\t    Newer     \t\t  300\tsmall.txt"});
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
    Feed(tracker, {"\t  New Dir          5\t/dst/a/", " 50%"});
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
    Feed(count, {
                    "\t                   3\t/src/",
                    "\t    New File  \t\t    992824\ta.txt",
                    "\t    Newer     \t\t     1.0 m\tb.bin",
                    "\t*EXTRA File  \t\t      10\told.txt",
                    "\t*EXTRA Dir        -1\t/dst/gone/",
                    "\t  New Dir          1\t/src/sub/",
                    "\t*EXTRA File  \t\t      20\t/dst/sub/full.txt",
                    "\t    same      \t\t        5\tkept.txt",
                    "   Files :         3         3         0         0         0         2",
                });
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
