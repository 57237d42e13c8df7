// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exec/JobExecutor.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/FakeChildProcess.h"
#include "fakes/FakeFormatServices.h"
#include "fakes/FakeJobEnvironment.h"
#include "fakes/FixedClock.h"
#include "fakes/RecordingLogSink.h"
#include "fakes/TempFolder.h"

namespace talvex::exec {
namespace {

using options::Control;
using Line = fakes::RecordingLogSink::Line;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

constexpr auto kBlack = LogColour::Black;
constexpr auto kBlue = LogColour::Blue;
constexpr auto kRed = LogColour::Red;
constexpr auto kGreen = LogColour::Green;

/// A step that runs for `polls` polls, then ends with `result`; records how it was driven.
class FakeStep final : public JobStep {
public:
    FakeStep(int polls, bool result, int& terminations)
        : m_polls(polls), m_result(result), m_terminations(terminations) {}
    bool poll(int) override { return !m_stopped && m_polls-- > 0; }
    bool terminate() override {
        ++m_terminations;
        m_stopped = true;
        return true;
    }
    [[nodiscard]] bool succeeded() const override { return m_result && !m_stopped; }

private:
    int m_polls;
    bool m_result;
    bool m_stopped = false;
    int& m_terminations;
};

class FakeMediaSteps final : public MediaSteps {
public:
    std::vector<ImageRequest> images;
    std::vector<BurnRequest> burns;
    bool imageSucceeds = true;
    int stepPolls = 0;
    int terminations = 0;
    bool throwOnImage = false;

    std::unique_ptr<JobStep> startImage(const ImageRequest& request, LogSink&) override {
        if (throwOnImage) {
            throw std::runtime_error("image step broke");
        }
        images.push_back(request);
        return std::make_unique<FakeStep>(stepPolls, imageSucceeds, terminations);
    }
    std::unique_ptr<JobStep> startBurn(const BurnRequest& request, LogSink&) override {
        burns.push_back(request);
        return std::make_unique<FakeStep>(stepPolls, true, terminations);
    }
};

class JobExecutorTest : public ::testing::Test {
protected:
    JobExecutorTest() {
        m_job.setText(Control::edt_PSD, "/data/quelle");
        m_job.setText(Control::edt_PDD, "/backup/ziel");
        m_job.setTicked(Control::chb_PNoSD, false);
        m_job.setTicked(Control::chb_PNoDD, false);
    }

    JobExecutor& executor(const std::string& settingsFolder) {
        m_executor = std::make_unique<JobExecutor>(
            JobExecutorServices{m_process, m_formats, m_clock, m_media, settingsFolder,
                                [this](std::chrono::milliseconds pause) { m_waits.push_back(pause); }});
        return *m_executor;
    }
    JobExecutor& executor() { return m_executor ? *m_executor : executor(m_settings.path().string()); }

    void run(JobMode mode) { RunJobToEnd(executor(), m_job, m_log, mode, platform::ShowMode::Hidden, 0); }
    void start(RunOptions options = {}, JobMode mode = JobMode::CommandLine) {
        executor().ExecuteJob(m_job, m_log, mode, platform::ShowMode::Hidden, options);
    }
    /// Polls the run started until it has ended.
    void drain() {
        while (executor().poll(0)) {
        }
    }

    void tickImage(bool burn) {
        m_environment.existingFiles.insert("/usr/bin/mkisofs");
        m_environment.burningTool = true;
        m_job.setText(Control::edt_Imkisofs, "/usr/bin/mkisofs");
        m_job.setText(Control::edt_IImage, "/tmp/ziel.iso");
        m_job.setTicked(Control::chb_IIMG, true);
        m_job.setText(Control::edt_IBrenner, "0:1:0");
        m_job.setText(Control::edt_ISpeed, "8x");
        m_job.setTicked(Control::chb_IBurn, burn);
    }

    // The lines from the announcement of the run on: what the writer echoed is not ours to check.
    std::vector<Line> runLines() const {
        const auto& lines = m_log.lines();
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].text == "Ausführen eines Jobs mit den aktuellen Einstellungen:") {
                return {lines.begin() + static_cast<std::ptrdiff_t>(i), lines.end()};
            }
        }
        return {};
    }

    fakes::TempFolder m_settings;
    fakes::FakeJobEnvironment m_environment;
    options::JobState m_job{m_environment};
    fakes::FakeFormatServices m_formats;
    fakes::FixedClock m_clock{std::chrono::system_clock::from_time_t(1'796'000'000)};
    fakes::FakeChildProcess m_process;
    FakeMediaSteps m_media;
    fakes::RecordingLogSink m_log;
    std::vector<std::chrono::milliseconds> m_waits;
    std::unique_ptr<JobExecutor> m_executor;
};

TEST_F(JobExecutorTest, CommandLineModeStreamsTheOutputBetweenItsStatusLines) {
    m_process.chunks = {"Quelle : /data/quelle\r\n  50%\r100%\r\n", "Ende"};
    m_job.clearStateChangedFlag();
    executor().ExecuteJob(m_job, m_log, JobMode::CommandLine, platform::ShowMode::Maximised);
    EXPECT_TRUE(executor().running());
    EXPECT_TRUE(m_job.stateChangedFlag()) << "the timer must learn that Start became Stop";
    m_job.clearStateChangedFlag();
    drain();
    EXPECT_TRUE(m_job.stateChangedFlag()) << "the timer must learn that Stop became Start";

    ASSERT_EQ(m_process.commandLines.size(), 1U);
    EXPECT_EQ(m_process.startOptions[0].showMode, platform::ShowMode::Maximised);
    const std::string& commandLine = m_process.commandLines[0];
    EXPECT_THAT(commandLine, StartsWith("Robocopy \"/data/quelle\" \"/backup/ziel\""));
    EXPECT_EQ(executor().commandLine(), commandLine);
    EXPECT_THAT(m_log.lines(),
                ElementsAre(Line{"Ausführen eines Jobs mit den aktuellen Einstellungen:", kBlue}, Line{"", kBlack},
                            Line{commandLine, kBlue}, Line{"Quelle : /data/quelle", kBlack}, Line{"  50%", kBlack},
                            Line{"100%", kBlack}, Line{"Ende", kBlack}, Line{"", kBlack},
                            Line{"Ausführung beendet.", kBlue}, Line{"Ergebnis: Nichts zu tun (Exitcode 0)", kGreen},
                            Line{"", kBlack}));
}

TEST_F(JobExecutorTest, CommandLineModeRunsWithEmptyFoldersAsEmptyQuotes) {
    m_job.setText(Control::edt_PSD, "");
    m_job.setText(Control::edt_PDD, "");
    run(JobMode::CommandLine);
    ASSERT_EQ(m_process.commandLines.size(), 1U);
    EXPECT_THAT(m_process.commandLines[0], StartsWith("Robocopy \"\" \"\""));
}

// The job file is written afresh over one left by an earlier run, and the command line names the
// folders the file leaves out (the source in its short form).
TEST_F(JobExecutorTest, TemporaryJobFileReplacesTheOldOneAndTheLineAddsTheFoldersLeftOut) {
    const struct {
        bool noSource;
        bool noDestination;
        const char* tail; // what follows the job file on the command line
    } cases[] = {
        {false, false, ""},
        {true, false, " \"/data/QUELLE~1\""},
        {false, true, " \"/backup/ziel\""},
        {true, true, " \"/data/QUELLE~1\" \"/backup/ziel\""},
    };
    const std::string jobFile = m_settings.file("~tmp.rcj");
    m_formats.shortPaths["/data/quelle"] = "/data/QUELLE~1";
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "/NOSD " << c.noSource << " /NODD " << c.noDestination);
        m_job.setTicked(Control::chb_PNoSD, c.noSource);
        m_job.setTicked(Control::chb_PNoDD, c.noDestination);
        m_process.chunks = {"kopiert\r\n"};
        m_process.commandLines.clear();
        m_log.clear();
        fakes::TempFolder::Write(jobFile, "alt\r\n");
        run(JobMode::TemporaryJobFile);

        const std::string expected = "RoboCopy /JOB:\"" + jobFile + "\"" + c.tail;
        ASSERT_EQ(m_process.commandLines.size(), 1U);
        EXPECT_EQ(m_process.commandLines[0], expected);
        const std::string saved = fakes::TempFolder::Read(jobFile);
        EXPECT_THAT(saved, ::testing::Not(HasSubstr("alt\r\n")));
        if (!c.noSource) {
            EXPECT_THAT(saved, HasSubstr("/SD:/data/QUELLE~1"));
        }
        EXPECT_EQ(saved.find("/NOSD") != std::string::npos, c.noSource);
        EXPECT_EQ(saved.find("/NODD") != std::string::npos, c.noDestination);

        EXPECT_TRUE(m_log.contains("...erstellt.", kBlack));
        EXPECT_TRUE(m_log.contains("Temporärer Job gespeichert.", kBlue));
        EXPECT_THAT(runLines(), ElementsAre(Line{"Ausführen eines Jobs mit den aktuellen Einstellungen:", kBlue},
                                            Line{"", kBlack}, Line{expected, kBlue}, Line{"kopiert", kBlack},
                                            Line{"", kBlack}, Line{"Ausführung beendet.", kBlue},
                                            Line{"Ergebnis: Nichts zu tun (Exitcode 0)", kGreen}, Line{"", kBlack},
                                            Line{"", kBlack}));
    }
    EXPECT_TRUE(m_waits.empty());
}

// Each preparation failure ends the run before robocopy with its own message (the writer logs its
// own), skips the image step and still clears the running mark.
TEST_F(JobExecutorTest, PreparationFailuresRunNothingAndSkipTheImage) {
    struct Case {
        const char* name;
        JobMode mode;
        // Prepares the fault in a fresh folder and returns the settings folder to use.
        std::function<std::string(const fakes::TempFolder&)> arrange;
        Line message;
        std::size_t waits;       // a locked file is tried ten times, 200 ms apart
        std::string reason = {}; // the end of a red line that says why, where the failure has a reason
    };
    const auto brokenDate = [this](const fakes::TempFolder& folder) {
        m_formats.failDate = true;
        return folder.path().string();
    };
    const std::vector<Case> cases = {
        {"temporary file cannot be deleted", JobMode::TemporaryJobFile,
         [](const fakes::TempFolder& folder) {
             std::filesystem::create_directory(folder.file("~tmp.rcj"));
             return folder.path().string();
         },
         Line{"Die Jobdatei besteht bereits und kann nicht gelöscht werden.", kBlack}, 9},
        {"temporary file cannot be saved", JobMode::TemporaryJobFile,
         [](const fakes::TempFolder& folder) { return folder.file("fehlt"); },
         Line{"Speichern des Jobs gescheitert.", kBlue}, 0, "Der Pfad wurde nicht gefunden"},
        {"job file cannot be written", JobMode::TemporaryJobFile, brokenDate,
         Line{"Bei der Erstellung des Jobs ist ein Fehler aufgetreten.", kRed}, 0, "Unerwarteter Fehler: no date"},
        {"command line cannot be built", JobMode::CommandLine, brokenDate,
         Line{"Bei der Erstellung des Jobs ist ein Fehler aufgetreten.", kRed}, 0, "Unerwarteter Fehler: no date"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fakes::TempFolder settings;
        m_log.clear();
        m_waits.clear();
        m_media.images.clear();
        m_formats.failDate = false;
        tickImage(false);
        executor(c.arrange(settings));
        run(c.mode);
        EXPECT_TRUE(m_process.commandLines.empty());
        EXPECT_TRUE(m_media.images.empty());
        EXPECT_FALSE(executor().running());
        ASSERT_FALSE(m_log.lines().empty());
        EXPECT_TRUE(m_log.contains(c.message.text, c.message.colour));
        EXPECT_TRUE(c.reason.empty() || std::ranges::any_of(m_log.lines(), [&](const Line& line) {
                        return line.colour == kRed && line.text.ends_with(c.reason);
                    }));
        EXPECT_EQ(m_log.lines().back(), (Line{"", kBlack}));
        EXPECT_EQ(m_waits, std::vector<std::chrono::milliseconds>(c.waits, std::chrono::milliseconds(200)));
    }
}

TEST_F(JobExecutorTest, SecondStartWhileRunningStopsTheRunWhichThenEndsNormally) {
    m_process.chunks = {"1%\r", "2%\r"};
    m_process.endsByItself = false;
    start();
    executor().poll(0);

    // Another job may be current by now; its Start press still stops the run.
    fakes::FakeJobEnvironment otherEnvironment;
    options::JobState other(otherEnvironment);
    fakes::RecordingLogSink otherLog;
    executor().ExecuteJob(other, otherLog, JobMode::CommandLine, platform::ShowMode::Hidden);
    EXPECT_EQ(m_process.terminations, 1);
    EXPECT_EQ(m_process.commandLines.size(), 1U) << "a Stop press must not start another run";
    EXPECT_TRUE(executor().running()) << "the mark stays until the stopped child has been seen to end";
    EXPECT_TRUE(otherLog.lines().empty());

    drain();
    const auto lines = runLines();
    ASSERT_GE(lines.size(), 7U);
    EXPECT_THAT(std::vector<Line>(lines.end() - 7, lines.end()),
                ElementsAre(Line{"Die Ausführung wurde abgebrochen.", kRed}, Line{"", kBlack}, Line{"2%", kBlack},
                            Line{"", kBlack}, Line{"Ausführung beendet.", kBlue},
                            Line{"Ergebnis: Abgebrochen (Exitcode 143)", kRed}, Line{"", kBlack}));
}

TEST_F(JobExecutorTest, StopThatCannotBeIssuedSaysSo) {
    m_process.endsByItself = false;
    m_process.refuseTerminate = true;
    m_process.chunks = {"läuft\n"};
    start();
    start();
    EXPECT_THAT(
        std::vector<Line>(m_log.lines().end() - 3, m_log.lines().end()),
        ElementsAre(Line{"", kBlack}, Line{"Die Ausführung konnte nicht abgebrochen werden.", kRed}, Line{"", kBlack}));
    EXPECT_TRUE(executor().running());
}

TEST_F(JobExecutorTest, RobocopyThatCannotStartIsReportedAndTheImageStillFollows) {
    tickImage(false);
    m_process.startFailure = "No such file or directory";
    run(JobMode::CommandLine);
    const auto lines = runLines();
    ASSERT_EQ(lines.size(), 8U);
    EXPECT_EQ(lines[3], (Line{"No such file or directory", kRed}));
    EXPECT_EQ(lines[5], (Line{"Ausführung beendet.", kBlue}));
    EXPECT_EQ(lines[6], (Line{"Ergebnis: Robocopy wurde nicht ausgeführt", kRed}));
    EXPECT_EQ(m_media.images.size(), 1U);
    EXPECT_FALSE(executor().running());
}

// Which of the image and burn steps follow the run, by how it ended.
TEST_F(JobExecutorTest, ImageAndBurnStepsFollowTheRunAsTheJobAsks) {
    struct Case {
        const char* name;
        int mode;
        int exitCode;
        bool stopDuringRun;
        bool imageSucceeds;
        bool burn;
        std::size_t images;
        std::size_t burns;
    };
    const Case cases[] = {
        {"clean run, image only", 0, 0, false, true, false, 1, 0},
        {"robocopy reports failures: its copy is still imaged", 0, 8, false, true, true, 1, 1},
        {"failed image is not burnt", 0, 0, false, false, true, 1, 0},
        {"unknown job mode runs nothing but images", 7, 0, false, true, true, 1, 1},
        {"stopped run leaves a partial copy: no image", 1, 0, true, true, true, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_media.images.clear();
        m_media.burns.clear();
        m_media.imageSucceeds = c.imageSucceeds;
        m_media.stepPolls = 2;
        m_process.commandLines.clear();
        m_process.code = c.exitCode;
        m_process.endsByItself = !c.stopDuringRun;
        m_process.chunks = {"x\n", "y\n"};
        tickImage(c.burn);
        m_clock.set(std::chrono::system_clock::from_time_t(1'796'000'000));
        const std::string startDate = m_clock.shortDateText();

        executor().ExecuteJob(m_job, m_log, static_cast<JobMode>(c.mode), platform::ShowMode::Hidden);
        m_clock.set(std::chrono::system_clock::from_time_t(1'796'500'000));
        if (c.stopDuringRun) {
            executor().poll(0);
            executor().ExecuteJob(m_job, m_log, static_cast<JobMode>(c.mode), platform::ShowMode::Hidden);
        }
        drain();
        EXPECT_EQ(m_process.commandLines.size(), c.mode == 7 ? 0U : 1U);
        ASSERT_EQ(m_media.images.size(), c.images);
        ASSERT_EQ(m_media.burns.size(), c.burns);
        if (c.images == 1) {
            const ImageRequest& image = m_media.images[0];
            EXPECT_EQ(image.mkisofs, "/usr/bin/mkisofs");
            EXPECT_EQ(image.folder, "/backup/ziel");
            EXPECT_EQ(image.imageFile, "/tmp/ziel.iso");
            EXPECT_EQ(image.volumeLabel, startDate) << "the date is the one taken when the run was started";
        }
        if (c.burns == 1) {
            const BurnRequest& burn = m_media.burns[0];
            EXPECT_EQ(burn.imageFile, "/tmp/ziel.iso");
            EXPECT_EQ(burn.burner, "0:1:0");
            EXPECT_EQ(burn.speed, "8x");
            EXPECT_TRUE(burn.eraseWithoutAsking);
            EXPECT_TRUE(burn.saveBurnLog);
        }
    }
}

TEST_F(JobExecutorTest, StopDuringTheImageStepStopsItsChildAndSkipsTheBurn) {
    tickImage(true);
    m_media.stepPolls = 100;
    start();
    while (m_media.images.empty() && executor().poll(0)) {
    }
    start();
    EXPECT_EQ(m_media.terminations, 1);
    EXPECT_TRUE(m_log.contains("Die Ausführung wurde abgebrochen.", kRed));
    drain();
    EXPECT_TRUE(m_media.burns.empty());
}

TEST_F(JobExecutorTest, AnythingThrownClearsTheRunningMark) {
    tickImage(false);
    m_media.throwOnImage = true;
    m_job.clearStateChangedFlag();
    run(JobMode::CommandLine);
    EXPECT_FALSE(executor().running());
    EXPECT_TRUE(m_job.stateChangedFlag());
    EXPECT_TRUE(m_log.contains("image step broke", kRed));

    // And the next Start starts a run again instead of trying to stop a dead one.
    m_media.throwOnImage = false;
    m_log.clear();
    run(JobMode::CommandLine);
    EXPECT_EQ(m_process.commandLines.size(), 2U);
    EXPECT_TRUE(m_log.contains("Ausführung beendet.", kBlue));
}

// A view that reacts to the end of a run by starting the next one (a queue of jobs, say) must get
// a run that goes on, not one whose job the first run's ending forgets.
TEST_F(JobExecutorTest, RunStartedWhenTheLastOneEndsGoesOn) {
    struct Restarter final : options::JobStateObserver {
        std::function<void()> onFlags;
        void flagsChanged() override { onFlags(); }
    } restarter;
    int runs = 0;
    restarter.onFlags = [&] {
        if (!executor().running() && runs < 2) {
            ++runs;
            m_process.chunks = {"nochmal\n"};
            start();
        }
    };
    m_process.chunks = {"erst\n"};
    start();
    m_job.addObserver(restarter);
    drain();
    m_job.removeObserver(restarter);
    EXPECT_EQ(m_process.commandLines.size(), 3U);
    EXPECT_EQ(runs, 2);
}

/// Answers the question before a run deletes, and records it.
struct ScriptedDeletionQuestions final : DeletionQuestions {
    bool answer = false;
    std::vector<std::string> questions;
    std::vector<std::string> names;
    bool confirmDeletion(const std::string& question, const std::vector<std::string>& listed) override {
        questions.push_back(question);
        names = listed;
        return answer;
    }
};

class DeletionCheckTest : public JobExecutorTest {
protected:
    DeletionCheckTest() {
        m_job.setTicked(Control::chb_KMIR, true);
        m_executor = std::make_unique<JobExecutor>(
            JobExecutorServices{m_process, m_formats, m_clock, m_media, m_settings.path().string(), {}, &m_questions});
    }

    static fakes::FakeChildProcess::Script Extras(int files) {
        fakes::FakeChildProcess::Script script;
        // Robocopy heads the folder's files with its path at the source; the extras lie at the
        // destination.
        script.chunks.push_back("\t                   1\t/data/quelle/\r\n");
        for (int i = 0; i < files; ++i) {
            script.chunks.push_back("\t*EXTRA File  \t\t       4\textra" + std::to_string(i) + ".txt\r\n");
        }
        script.chunks.push_back("\t    New File  \t\t    1000\tneu.txt\r\n");
        return script;
    }

    ScriptedDeletionQuestions m_questions;
};

// A mirror that would delete asks first, in both job modes; only OK lets the real run start, and
// the counting pass leaves the job's own log file and the data alone (/L).
TEST_F(DeletionCheckTest, MirrorThatWouldDeleteAsksAndOnlyOkRuns) {
    for (const JobMode mode : {JobMode::CommandLine, JobMode::TemporaryJobFile}) {
        for (const bool answer : {false, true}) {
            SCOPED_TRACE(std::to_string(static_cast<int>(mode)) + (answer ? " OK" : " Cancel"));
            m_process.commandLines.clear();
            m_questions = {};
            m_questions.answer = answer;
            m_process.scripts = {Extras(3), {{"kopiert\n"}, 3}};
            start({.askBeforeDeleting = true}, mode);
            drain();
            ASSERT_EQ(m_questions.questions.size(), 1U);
            EXPECT_EQ(m_questions.questions[0], "3 Dateien und 0 Ordner im Ziel werden gelöscht.\nFortfahren?");
            EXPECT_EQ(m_questions.names, (std::vector<std::string>{"/backup/ziel/extra0.txt", "/backup/ziel/extra1.txt",
                                                                   "/backup/ziel/extra2.txt"}));
            ASSERT_EQ(m_process.commandLines.size(), answer ? 2U : 1U);
            EXPECT_THAT(m_process.commandLines[0], StartsWith("Robocopy \"/data/quelle\" \"/backup/ziel\""));
            EXPECT_THAT(m_process.commandLines[0], HasSubstr("/MIR"));
            EXPECT_THAT(m_process.commandLines[0], ::testing::EndsWith(" /L /BYTES /NP"));
            EXPECT_FALSE(executor().running());
            if (answer) {
                EXPECT_THAT(m_process.commandLines[1], ::testing::Not(HasSubstr("/L")));
                EXPECT_EQ(executor().lastOutcome().result.severity, RunSeverity::Success);
            } else {
                EXPECT_TRUE(m_log.contains("Nicht ausgeführt: es wurde nichts gelöscht.", kRed));
            }
        }
    }
}

TEST_F(DeletionCheckTest, NothingToDeleteRunsWithoutAskingAndTheCountIsTheTotal) {
    m_process.scripts = {Extras(0), {{"\t    New File  \t\t    1000\tneu.txt\r\n"}, 1}};
    start({.askBeforeDeleting = true});
    drain();
    EXPECT_TRUE(m_questions.questions.empty());
    ASSERT_EQ(m_process.commandLines.size(), 2U);
    EXPECT_EQ(executor().progress().filesTotal, 1U);
    EXPECT_EQ(executor().progress().bytesTotal, 1000U);
    EXPECT_EQ(executor().progress().filesDone, 1U);
}

// Stop while the counting pass runs cancels the run: nothing is asked and nothing deleted.
TEST_F(DeletionCheckTest, StopDuringTheCountCancelsTheRun) {
    m_process.scripts = {Extras(3)};
    m_process.endsByItself = false;
    start({.askBeforeDeleting = true});
    EXPECT_TRUE(executor().counting());
    start();
    drain();
    EXPECT_TRUE(m_questions.questions.empty());
    EXPECT_EQ(m_process.commandLines.size(), 1U);
    EXPECT_TRUE(m_log.contains("Die Ausführung wurde abgebrochen.", kRed));
}

// A simulation runs the options' command line with /L in either job mode, writes no temporary job
// file, reports what it would do and builds no image.
TEST_F(DeletionCheckTest, SimulationRunsWithLAndReportsWithoutSideEffects) {
    tickImage(false);
    m_process.scripts = {Extras(2)};
    executor().ExecuteJob(m_job, m_log, JobMode::TemporaryJobFile, platform::ShowMode::Maximised, {.simulate = true});
    drain();
    ASSERT_EQ(m_process.commandLines.size(), 1U);
    EXPECT_THAT(m_process.commandLines[0], ::testing::EndsWith(" /L /BYTES /NP"));
    EXPECT_EQ(m_process.startOptions[0].showMode, platform::ShowMode::Hidden);
    EXPECT_FALSE(std::filesystem::exists(executor().temporaryJobFile()));
    EXPECT_TRUE(m_media.images.empty());
    EXPECT_TRUE(m_questions.questions.empty());
    EXPECT_TRUE(m_log.contains("\t*EXTRA File  \t\t       4\textra1.txt", kBlack)) << "the lists belong in the log";
    EXPECT_TRUE(m_log.contains("Simulation: 1 Dateien (1000 Bytes) und 0 neue Ordner würden kopiert. Im Ziel würden 2 "
                               "Dateien und 0 Ordner gelöscht.",
                               kBlue));
    EXPECT_TRUE(executor().lastOutcome().simulated);
}

} // namespace
} // namespace talvex::exec
