// SPDX-License-Identifier: GPL-3.0-or-later
// Jobs run through the real robocopy engine and a real child process.
#include <chrono>
#include <filesystem>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/exec/JobExecutor.h"
#include "fakes/FakeFormatServices.h"
#include "fakes/FakeJobEnvironment.h"
#include "fakes/FixedClock.h"
#include "fakes/RecordingLogSink.h"
#include "fakes/TempFolder.h"

namespace talvex::exec {
namespace {

namespace fs = std::filesystem;
using options::Control;
using ::testing::Contains;

constexpr int kPollMs = 20;
// Generous, so that a loaded machine never fails a test; a working run ends far sooner.
constexpr auto kPatience = std::chrono::seconds(30);

class JobRunEndToEndTest : public ::testing::Test {
protected:
    JobRunEndToEndTest() {
        fs::create_directories(m_root.path() / "settings");
        write("quelle/a.txt", "erste Datei\n");
        write("quelle/unter/b.txt", "zweite Datei\n");
        write("quelle/Müll.txt", "ä\n");
        m_job.setText(Control::edt_PSD, m_root.file("quelle"));
        m_job.setText(Control::edt_PDD, m_root.file("ziel"));
        m_job.setTicked(Control::chb_PNoSD, false);
        m_job.setTicked(Control::chb_PNoDD, false);
    }

    void write(const std::string& relative, const std::string& contents) {
        const fs::path file = m_root.path() / relative;
        fs::create_directories(file.parent_path());
        fakes::TempFolder::Write(file.string(), contents);
    }

    // Runs the job with the robocopy we build; false when it did not end in time.
    bool run(JobMode mode) {
        m_process = platform::CreateChildProcess({TALVEX_BIN_DIR, std::chrono::milliseconds(300)});
        m_executor = std::make_unique<JobExecutor>(
            JobExecutorServices{*m_process, m_formats, m_clock, m_media, m_root.file("settings"), {}});
        m_executor->ExecuteJob(m_job, m_log, mode, platform::ShowMode::Hidden);
        const auto until = std::chrono::steady_clock::now() + kPatience;
        while (m_executor->poll(kPollMs)) {
            if (std::chrono::steady_clock::now() > until) {
                return false;
            }
        }
        return true;
    }

    fakes::TempFolder m_root;
    fakes::FakeJobEnvironment m_environment;
    options::JobState m_job{m_environment};
    fakes::FakeFormatServices m_formats;
    fakes::FixedClock m_clock{std::chrono::system_clock::now()};
    NoMediaSteps m_media;
    fakes::RecordingLogSink m_log;
    std::unique_ptr<platform::ChildProcess> m_process;
    std::unique_ptr<JobExecutor> m_executor;
};

TEST_F(JobRunEndToEndTest, CommandLineModeCopiesTheTree) {
    m_job.TickAndEnable(Control::chb_KE);
    ASSERT_TRUE(run(JobMode::CommandLine));
    EXPECT_EQ(fakes::TempFolder::Read(m_root.file("ziel/a.txt")), "erste Datei\n");
    EXPECT_EQ(fakes::TempFolder::Read(m_root.file("ziel/unter/b.txt")), "zweite Datei\n");
    EXPECT_EQ(fakes::TempFolder::Read(m_root.file("ziel/Müll.txt")), "ä\n");
    EXPECT_TRUE(m_log.contains("Ausführung beendet.", LogColour::Blue));
    EXPECT_FALSE(m_executor->running());
}

// The job file names what the command line leaves out and the reverse; both must reach robocopy.
TEST_F(JobRunEndToEndTest, TemporaryJobModeMirrorsTheTreeWithTheFoldersOnEitherSide) {
    for (const bool foldersOnCommandLine : {false, true}) {
        SCOPED_TRACE(foldersOnCommandLine ? "folders on the command line" : "folders in the job file");
        write("ziel/überzählig.txt", "weg damit\n");
        m_job.TickAndEnable(Control::chb_KMIR);
        m_job.setTicked(Control::chb_PNoSD, foldersOnCommandLine);
        m_job.setTicked(Control::chb_PNoDD, foldersOnCommandLine);
        m_log.clear();
        ASSERT_TRUE(run(JobMode::TemporaryJobFile));
        EXPECT_TRUE(m_log.contains("Temporärer Job gespeichert.", LogColour::Blue));
        EXPECT_EQ(fakes::TempFolder::Read(m_root.file("ziel/unter/b.txt")), "zweite Datei\n");
        EXPECT_EQ(fakes::TempFolder::Read(m_root.file("ziel/Müll.txt")), "ä\n");
        EXPECT_FALSE(fs::exists(m_root.path() / "ziel" / "überzählig.txt"));
        EXPECT_TRUE(fs::exists(m_root.path() / "settings" / "~tmp.rcj"));
    }
}

TEST_F(JobRunEndToEndTest, UnicodeOutputOfTheEngineArrivesAsText) {
    m_job.TickAndEnable(Control::chb_LUNICODE);
    ASSERT_TRUE(run(JobMode::CommandLine));
    EXPECT_EQ(fakes::TempFolder::Read(m_root.file("ziel/Müll.txt")), "ä\n");
    bool named = false;
    for (const auto& line : m_log.lines()) {
        named = named || (line.colour == LogColour::Black && line.text.find("Müll.txt") != std::string::npos);
        EXPECT_EQ(line.text.find('\0'), std::string::npos) << "UTF-16 output read as bytes";
    }
    EXPECT_TRUE(named);
}

TEST_F(JobRunEndToEndTest, StopEndsARobocopyThatWouldRunOnAndClearsTheMark) {
    // A stand-in that writes and then waits for ever, as a robocopy waiting on a share would.
    fs::create_directories(m_root.path() / "bin");
    const std::string stub = m_root.file("bin/robocopy");
    fakes::TempFolder::Write(stub, "#!/bin/sh\necho gestartet\nexec sleep 60\n");
    fs::permissions(stub, fs::perms::owner_all);

    m_process = platform::CreateChildProcess({m_root.file("bin"), std::chrono::milliseconds(300)});
    m_executor = std::make_unique<JobExecutor>(
        JobExecutorServices{*m_process, m_formats, m_clock, m_media, m_root.file("settings"), {}});
    m_executor->ExecuteJob(m_job, m_log, JobMode::CommandLine, platform::ShowMode::Hidden);
    const auto until = std::chrono::steady_clock::now() + kPatience;
    while (!m_log.contains("gestartet", LogColour::Black) && std::chrono::steady_clock::now() < until) {
        ASSERT_TRUE(m_executor->poll(kPollMs));
    }
    m_executor->ExecuteJob(m_job, m_log, JobMode::CommandLine, platform::ShowMode::Hidden);
    while (m_executor->poll(kPollMs) && std::chrono::steady_clock::now() < until) {
    }
    EXPECT_FALSE(m_executor->running());
    EXPECT_THAT(m_log.texts(), Contains("Die Ausführung wurde abgebrochen."));
    EXPECT_EQ(m_log.texts().end()[-3], "Ausführung beendet.");
    EXPECT_EQ(m_log.texts().end()[-2], "Ergebnis: Abgebrochen (Exitcode 143)");
}

} // namespace
} // namespace talvex::exec
