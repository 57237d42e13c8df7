// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exec/ChildRun.h"

#include <chrono>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

#include "fakes/RecordingLogSink.h"
#include "fakes/TempFolder.h"
#include "platform/ProcessProbes.h"

namespace talvex::exec {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

constexpr int kPollMs = 50;
// Generous bounds so a loaded machine never fails a test; a working runner ends far sooner.
constexpr auto kPatience = std::chrono::seconds(20);

std::string Child(const std::string& arguments) {
    return "talvex_test_child " + arguments;
}

class ChildRunTest : public ::testing::Test {
protected:
    void useProgramFolder(const std::string& folder) {
        m_process = platform::CreateChildProcess({folder, std::chrono::milliseconds(300)});
        m_run = std::make_unique<ChildRun>(*m_process, m_log);
    }
    void SetUp() override { useProgramFolder(TALVEX_BIN_DIR); }

    bool run(const std::string& commandLine, OutputEncoding encoding = OutputEncoding::CodePage) {
        m_log.clear();
        return RunToEnd(*m_run, commandLine, encoding, {}, kPollMs);
    }

    // Polls until the log holds `count` lines; false when the run ended or time ran out first.
    bool pollUntilLines(std::size_t count) {
        const auto until = std::chrono::steady_clock::now() + kPatience;
        while (m_log.lines().size() < count && std::chrono::steady_clock::now() < until) {
            if (m_run->poll(kPollMs) != ChildRun::State::Running) {
                return false;
            }
        }
        return m_log.lines().size() >= count;
    }

    bool pollToEnd() {
        const auto until = std::chrono::steady_clock::now() + kPatience;
        while (std::chrono::steady_clock::now() < until) {
            if (m_run->poll(kPollMs) == ChildRun::State::Finished) {
                return true;
            }
        }
        return false;
    }

    fakes::RecordingLogSink m_log;
    std::unique_ptr<platform::ChildProcess> m_process;
    std::unique_ptr<ChildRun> m_run;
};

using tests::NoChildLeft;
using tests::ProcessHasEnded;
using tests::SystemMessage;

TEST_F(ChildRunTest, OutputReachesTheLogLineByLineAndTheExitCodeDecides) {
    struct Case {
        std::string commandLine;
        Lines lines;
        int exitCode = 0;
    };
    const Case cases[] = {
        // The line rules themselves are the splitter's; here they must hold across separate reads.
        {Child(R"(write "Hal" sleep:150 "lo\r" sleep:150 "\nnext")"), {"Hallo", "next"}},
        {Child(R"(write "" "\n")"), {""}},
        {"TALVEX_Test_Child write ok", {"ok"}}, // the program name ignores letter case
        // A child asking for input gets end-of-input instead of hanging.
        {Child("stdin"), {"eof"}},
        {Child("exit 3"), {}, 3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(run(c.commandLine), c.exitCode == 0) << c.commandLine;
        EXPECT_EQ(m_run->exitCode(), c.exitCode);
        EXPECT_FALSE(m_run->stopped());
        EXPECT_EQ(m_log.texts(), c.lines) << c.commandLine;
        for (const auto& line : m_log.lines()) {
            EXPECT_EQ(line.colour, LogColour::Black);
        }
    }
    EXPECT_TRUE(NoChildLeft());
}

TEST_F(ChildRunTest, LargeBurstIsLoggedWholeAndInOrder) {
    ASSERT_TRUE(run(Child(R"(write repeat:200000:x "\r\n" "repeat:20000:line of output\r\n" end)")));
    const auto& lines = m_log.lines();
    ASSERT_EQ(lines.size(), 20002u);
    EXPECT_EQ(lines.front().text, std::string(200000, 'x'));
    EXPECT_EQ(lines[1].text, "line of output");
    EXPECT_EQ(lines[20000].text, "line of output");
    EXPECT_EQ(lines.back().text, "end");
}

TEST_F(ChildRunTest, Utf16OutputIsReadOnCodeUnitsAcrossOddReads) {
    // "ü" and CR LF as UTF-16LE, cut after the first byte of a code unit.
    ASSERT_TRUE(run(Child(R"(write "\xFC" sleep:150 "\x00\r\x00\n\x00M" sleep:150 "\x00")"), OutputEncoding::Utf16Le));
    EXPECT_EQ(m_log.texts(), (Lines{"ü", "M"}));
}

TEST_F(ChildRunTest, EnvironmentAdditionsReachOnlyThisChild) {
    m_log.clear();
    ASSERT_TRUE(RunToEnd(*m_run, Child("env LC_ALL"), OutputEncoding::CodePage, {.environment = {"LC_ALL=C.UTF-8"}}));
    EXPECT_EQ(m_log.texts(), Lines{"C.UTF-8"});
    ASSERT_TRUE(
        RunToEnd(*m_run, Child("env TALVEX_NOT_SET"), OutputEncoding::CodePage, {.environment = {"TALVEX_OTHER=1"}}));
    EXPECT_EQ(m_log.texts(), (Lines{"C.UTF-8", "(unset)"}));
}

TEST_F(ChildRunTest, ProgramThatCannotStartGivesOneRedLineWithTheSystemMessage) {
    const fakes::TempFolder folder;
    // Windows finds a program by its extension, POSIX by its permission bits.
    for (const char* name : {"notaprogram", "notaprogram.exe"}) {
        fakes::TempFolder::Write(folder.file(name), "plain text, no interpreter line\n");
        fs::permissions(folder.file(name), fs::perms::owner_all);
    }
    useProgramFolder(folder.path().string());

    struct Case {
        std::string commandLine;
        int error;
    };
    const Case cases[] = {
        {"no_such_program_of_talvex /E", tests::kNoSuchProgram},
        {"", tests::kNoSuchProgram},
        {"NotAProgram", tests::kNotAProgram},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(run(c.commandLine)) << c.commandLine;
        ASSERT_EQ(m_log.lines().size(), 1u) << c.commandLine;
        EXPECT_EQ(m_log.lines()[0].text, SystemMessage(c.error));
        EXPECT_EQ(m_log.lines()[0].colour, LogColour::Red);
        EXPECT_EQ(m_run->poll(0), ChildRun::State::Idle);
    }
}

TEST_F(ChildRunTest, SecondStartWhileRunningIsRefusedAndLeavesTheFirstAlone) {
    ASSERT_TRUE(m_run->start(Child(R"(write "first\n" sleep:60000)"), OutputEncoding::CodePage));
    ASSERT_TRUE(pollUntilLines(1));
    EXPECT_FALSE(m_run->start(Child(R"(write "second\n")"), OutputEncoding::CodePage));
    EXPECT_EQ(m_log.lines().back(), (fakes::RecordingLogSink::Line{SystemMessage(tests::kBusy), LogColour::Red}));
    EXPECT_TRUE(m_run->running());
    EXPECT_TRUE(m_run->terminate());
    EXPECT_TRUE(pollToEnd());
    EXPECT_EQ(m_log.texts().front(), "first");
}

TEST_F(ChildRunTest, StopEndsTheChildAndEverythingItStarted) {
    struct Case {
        const char* name;
        const char* arguments;
        int exitCode;
    };
    const Case cases[] = {
        {"a child that ends on request", R"(write "ready\n" sleep:60000)", tests::kStoppedExitCode},
        {"a child that ignores the request", "ignore-term", tests::kKilledExitCode},
        {"a grandchild that ignores it and holds the output", "grandchild", tests::kStoppedExitCode},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_log.clear();
        ASSERT_TRUE(m_run->start(Child(c.arguments), OutputEncoding::CodePage));
#ifndef _WIN32
        // Windows has no descriptors to watch; its callers poll on a timer.
        EXPECT_GE(m_run->waitHandles().output, 0);
#endif
        ASSERT_TRUE(pollUntilLines(1));
        const std::string firstLine = m_log.texts().front();

        EXPECT_TRUE(m_run->terminate());
        ASSERT_TRUE(pollToEnd());
        EXPECT_EQ(m_run->exitCode(), c.exitCode);
        EXPECT_TRUE(m_run->stopped());
        EXPECT_FALSE(m_run->succeeded());
        EXPECT_FALSE(m_run->terminate());
        EXPECT_EQ(m_run->waitHandles().output, -1);
        EXPECT_TRUE(NoChildLeft());
        if (firstLine.starts_with("grandchild ")) {
            const std::string pid = firstLine.substr(11);
            const auto until = std::chrono::steady_clock::now() + kPatience;
            while (!ProcessHasEnded(pid) && std::chrono::steady_clock::now() < until) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            EXPECT_TRUE(ProcessHasEnded(pid)) << pid;
        }
    }
}

TEST_F(ChildRunTest, DroppingTheProcessObjectEndsItsChild) {
    ASSERT_TRUE(m_run->start(Child("ignore-term"), OutputEncoding::CodePage));
    ASSERT_TRUE(pollUntilLines(1));
    m_run.reset();
    m_process.reset();
    EXPECT_TRUE(NoChildLeft());
}

} // namespace
} // namespace talvex::exec
