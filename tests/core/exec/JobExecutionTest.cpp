// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exec/JobExecution.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "core/options/JobState.h"
#include "fakes/FakeFormatServices.h"
#include "fakes/FakeJobEnvironment.h"
#include "fakes/RecordingLogSink.h"
#include "fakes/ScriptedChildProcess.h"
#include "fakes/TempFolder.h"

namespace talvex::exec {
namespace {

using options::Control;

class JobExecutionTest : public ::testing::Test {
protected:
    fakes::FakeJobEnvironment environment;
    options::JobState job{environment};
    fakes::FakeFormatServices formats;
    fakes::ScriptedChildProcess child;
    fakes::RecordingLogSink log;
    fakes::TempFolder folder;
    int waits = 0;
    JobExecution execution{child, formats, [this](std::chrono::milliseconds) { ++waits; }};

    std::string tmpJob() const { return (folder.path() / "~tmp.rcj").string(); }

    void runToEnd(long long jobMode) {
        if (execution.start(job, log, {jobMode, platform::ShowMode::Minimised}, tmpJob())) {
            while (execution.poll(0) == ChildRun::State::Running) {
            }
        }
    }

    std::vector<std::string> lastTexts(std::size_t count) const {
        const auto texts = log.texts();
        return {texts.end() - static_cast<std::ptrdiff_t>(std::min(count, texts.size())), texts.end()};
    }
};

TEST_F(JobExecutionTest, CommandLineModeRunsTheBuiltLineAndLogsTheEnd) {
    job.applySourceFolder("/daten", "ext4");
    job.applyDestinationFolder("/sicherung", "ext4");
    child.chunks = {"Neue Datei  a.txt\r\n", "Neue Datei  b.txt\r\n"};
    runToEnd(0);

    ASSERT_EQ(child.commandLines.size(), 1u);
    EXPECT_EQ(child.commandLines[0].rfind("Robocopy \"/daten\" \"/sicherung\"", 0), 0u) << child.commandLines[0];
    EXPECT_EQ(child.showModes[0], platform::ShowMode::Minimised);
    const auto& lines = log.lines();
    ASSERT_GE(lines.size(), 8u);
    EXPECT_EQ(lines[0].text, "Ausführen eines Jobs mit den aktuellen Einstellungen:");
    EXPECT_EQ(lines[0].colour, LogColour::Blue);
    EXPECT_EQ(lines[2].text, child.commandLines[0]);
    EXPECT_EQ(lines[2].colour, LogColour::Blue);
    EXPECT_TRUE(log.contains("Neue Datei  b.txt", LogColour::Black));
    EXPECT_EQ(lastTexts(3), (std::vector<std::string>{"", "Ausführung beendet.", ""}));
    EXPECT_TRUE(log.contains("Ausführung beendet.", LogColour::Blue));
    EXPECT_TRUE(execution.preparedWithoutError());
    EXPECT_FALSE(execution.running());
}

TEST_F(JobExecutionTest, CommandLineModeWithoutFoldersStillRuns) {
    runToEnd(0);
    ASSERT_EQ(child.commandLines.size(), 1u);
    EXPECT_EQ(child.commandLines[0].rfind("Robocopy \"\" \"\"", 0), 0u) << child.commandLines[0];
}

TEST_F(JobExecutionTest, TemporaryJobModePassesTheFoldersTheFileLeavesOut) {
    struct Case {
        bool sourceInFile, destinationInFile;
        std::string tail;
    };
    for (const Case& c : {
             Case{true, true, ""},
             Case{false, true, " \"/q\""},
             Case{true, false, " \"/z\""},
             Case{false, false, " \"/q\" \"/z\""},
         }) {
        fakes::FakeJobEnvironment env;
        options::JobState state{env};
        state.applySourceFolder("/q", "ext4");
        state.applyDestinationFolder("/z", "ext4");
        state.setTicked(Control::chb_PNoSD, !c.sourceInFile);
        state.setTicked(Control::chb_PNoDD, !c.destinationInFile);
        fakes::ScriptedChildProcess process;
        fakes::RecordingLogSink sink;
        JobExecution run(process, formats);
        ASSERT_TRUE(run.start(state, sink, {1, platform::ShowMode::Hidden}, tmpJob()));
        while (run.poll(0) == ChildRun::State::Running) {
        }
        ASSERT_EQ(process.commandLines.size(), 1u);
        EXPECT_EQ(process.commandLines[0], "RoboCopy /JOB:\"" + tmpJob() + "\"" + c.tail);
        EXPECT_TRUE(sink.contains("Temporärer Job gespeichert.", LogColour::Blue));
        // Tmp mode ends with one more empty line.
        const auto texts = sink.texts();
        EXPECT_EQ(std::vector<std::string>(texts.end() - 4, texts.end()),
                  (std::vector<std::string>{"", "Ausführung beendet.", "", ""}));
    }
    EXPECT_TRUE(std::filesystem::exists(tmpJob()));
}

TEST_F(JobExecutionTest, AnOldTemporaryJobIsReplaced) {
    { std::ofstream(tmpJob()) << "alt"; }
    runToEnd(1);
    std::ifstream file(tmpJob());
    std::string first;
    std::getline(file, first);
    EXPECT_NE(first, "alt");
    EXPECT_EQ(waits, 0);
}

TEST_F(JobExecutionTest, AnUndeletableTemporaryJobRunsNothing) {
    // A folder of that name cannot be deleted as a file.
    std::filesystem::create_directory(tmpJob());
    runToEnd(1);
    EXPECT_TRUE(child.commandLines.empty());
    EXPECT_TRUE(log.contains("Die Jobdatei besteht bereits und kann nicht gelöscht werden.", LogColour::Black));
    EXPECT_FALSE(execution.preparedWithoutError());
    EXPECT_EQ(log.texts().back(), "");
}

TEST_F(JobExecutionTest, OtherJobModesRunNothing) {
    runToEnd(7);
    EXPECT_TRUE(child.commandLines.empty());
    EXPECT_TRUE(log.lines().empty());
    EXPECT_TRUE(execution.preparedWithoutError()) << "the image step is still considered";
}

TEST_F(JobExecutionTest, AProgramThatCannotStartStillEndsTheRun) {
    child.startError = platform::ChildStartError{2, "No such file or directory"};
    runToEnd(0);
    EXPECT_TRUE(log.contains("No such file or directory", LogColour::Red));
    EXPECT_EQ(lastTexts(3), (std::vector<std::string>{"", "Ausführung beendet.", ""}));
    EXPECT_FALSE(execution.running());
}

TEST_F(JobExecutionTest, StopEndsTheChildAndTheRunFinishes) {
    child.chunks = {"eins\n", "zwei\n", "drei\n"};
    ASSERT_TRUE(execution.start(job, log, {0, platform::ShowMode::Hidden}, tmpJob()));
    EXPECT_EQ(execution.poll(0), ChildRun::State::Running);
    execution.stop();
    EXPECT_TRUE(log.contains("Die Ausführung wurde abgebrochen.", LogColour::Red));
    while (execution.poll(0) == ChildRun::State::Running) {
    }
    EXPECT_FALSE(log.contains("drei", LogColour::Black));
    EXPECT_EQ(lastTexts(2), (std::vector<std::string>{"Ausführung beendet.", ""}));

    // A stop that the system refuses says so.
    fakes::ScriptedChildProcess stubborn;
    stubborn.chunks = {"x\n"};
    stubborn.refuseTerminate = true;
    fakes::RecordingLogSink sink;
    JobExecution run(stubborn, formats);
    ASSERT_TRUE(run.start(job, sink, {0, platform::ShowMode::Hidden}, tmpJob()));
    run.stop();
    EXPECT_TRUE(sink.contains("Die Ausführung konnte nicht abgebrochen werden.", LogColour::Red));
}

} // namespace
} // namespace talvex::exec
