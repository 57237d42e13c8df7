// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <functional>
#include <thread>

#include <dirent.h>

#include "TreeFixture.h"
#include "engine/Restartable.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// The names in a folder; none when it does not exist.
std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> result;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return result;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            result.push_back(name);
        }
    }
    ::closedir(dir);
    std::sort(result.begin(), result.end());
    return result;
}

bool HoldsTemporary(const std::string& folder) {
    for (const std::string& name : Names(folder)) {
        if (name.starts_with(".~talvex.")) {
            return true;
        }
    }
    return false;
}

class EngineInterrupt : public TreeFixture {
protected:
    enum class Outcome { Acted, FinishedFirst, NeverStarted };

    struct Result {
        Outcome outcome = Outcome::NeverStarted;
        int status = 0;
        std::string output;
    };

    // Copies a file of `size` bytes with the switches. Once its temporary file shows up the child is
    // stopped, `meanwhile` acts on it, and it goes on. Every wait is bounded, so a run that hangs fails
    // the test instead of hanging it.
    Result copyAndMeanwhile(off_t size, const std::vector<std::string>& switches,
                            const std::function<void(pid_t child)>& meanwhile) const {
        std::filesystem::remove_all(path("src"));
        std::filesystem::remove_all(path("dst"));
        // Dense: holes would be copied in no time.
        write("src/big.bin", std::string(static_cast<std::size_t>(size), 'd'));

        std::vector<std::string> arguments = {path("src"), path("dst")};
        arguments.insert(arguments.end(), switches.begin(), switches.end());
        const Child child = start(arguments);
        if (child.pid < 0) {
            ADD_FAILURE() << "cannot start robocopy";
            return {};
        }
        // Drained while waiting, so a full pipe can never be what holds the copy up.
        (void)::fcntl(child.output, F_SETFL, O_NONBLOCK);
        Result result;
        const auto drain = [&] {
            char buffer[4096];
            ssize_t got = 0;
            while ((got = ::read(child.output, buffer, sizeof buffer)) > 0) {
                result.output.append(buffer, static_cast<std::size_t>(got));
            }
        };
        bool ended = false;
        const auto reap = [&](Clock::duration limit) {
            for (const auto deadline = Clock::now() + limit; !ended && Clock::now() < deadline;) {
                drain();
                ended = ::waitpid(child.pid, &result.status, WNOHANG) == child.pid;
                std::this_thread::sleep_for(100us);
            }
            return ended;
        };

        for (const auto deadline = Clock::now() + 30s; Clock::now() < deadline;) {
            if (HoldsTemporary(path("dst"))) {
                ::kill(child.pid, SIGSTOP);
                // Stopped mid-copy only if the temporary file is still there.
                result.outcome = HoldsTemporary(path("dst")) ? Outcome::Acted : Outcome::FinishedFirst;
                if (result.outcome == Outcome::Acted) {
                    meanwhile(child.pid);
                }
                ::kill(child.pid, SIGCONT);
                break;
            }
            if (reap(100us)) {
                result.outcome = Outcome::FinishedFirst;
                break;
            }
        }
        if (!reap(30s)) {
            ::kill(child.pid, SIGKILL);
            ::waitpid(child.pid, &result.status, 0);
            ADD_FAILURE() << "robocopy did not end\n" << result.output;
        }
        ::close(child.output);
        return result;
    }

    // Retries with a larger file while the copy outruns the poll; false when even that was too quick.
    bool actDuringCopy(const std::vector<std::string>& switches, const std::function<void(pid_t child)>& meanwhile,
                       Result& result) const {
        for (const off_t size : {off_t{32} << 20, off_t{256} << 20}) {
            result = copyAndMeanwhile(size, switches, meanwhile);
            if (result.outcome != Outcome::FinishedFirst) {
                break;
            }
        }
        EXPECT_NE(result.outcome, Outcome::NeverStarted) << "no temporary file appeared\n" << result.output;
        return result.outcome == Outcome::Acted;
    }
};

// Whatever ends the run from outside, the destination holds the old state: no file under its real
// name that is shorter than the source, and no stray temporary that nobody will ever clean up.
TEST_F(EngineInterrupt, SignalLeavesNoHalfWrittenFile) {
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        Result result;
        if (!actDuringCopy(
                {}, [signalNumber](pid_t child) { ::kill(child, signalNumber); }, result)) {
            GTEST_SKIP() << "the copy finished before it could be interrupted";
        }
        EXPECT_TRUE(WIFSIGNALED(result.status) && WTERMSIG(result.status) == signalNumber)
            << "signal " << signalNumber << ", status " << result.status;
        EXPECT_EQ(Names(path("dst")), std::vector<std::string>{}) << "signal " << signalNumber;
    }
}

// Stop sends SIGTERM while the four threads of a plain run, or the eight of /MT:8, create files: at
// whatever moment it lands, no temporary file may stay behind.
TEST_F(EngineInterrupt, StopAmongManySmallFilesLeavesNoTemporaryFile) {
    for (int i = 0; i < 150; ++i) {
        write("src/f" + std::to_string(i), "x");
    }
    const auto started = Clock::now();
    for (int run = 0; run < 60 && Clock::now() - started < 20s; ++run) {
        std::filesystem::remove_all(path("dst"));
        const Child child = start({path("src"), path("dst"), "/NP", "/NFL", "/NDL", run % 2 == 0 ? "/MT:8" : "/NP"});
        ASSERT_GE(child.pid, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(300 + 800 * run)); // from start-up to the end
        ::kill(child.pid, SIGTERM);
        int status = 0;
        ::waitpid(child.pid, &status, 0);
        ::close(child.output);
        EXPECT_FALSE(HoldsTemporary(path("dst"))) << "run " << run;
    }
}

// After kill -9 a temporary file stays; the next run removes it instead of counting it as extra forever.
// A partial file of /Z stays for a restartable run only while its source is there: one whose source
// is gone would be left half-written in the user's tree for good.
TEST_F(EngineInterrupt, LaterRunRemovesTemporaryFilesOfAKilledRun) {
    const pid_t gone = ::fork();
    if (gone == 0) {
        ::_exit(0);
    }
    ::waitpid(gone, nullptr, 0);
    const std::string stray = ".~talvex." + std::to_string(gone) + ".7.tmp";
    const std::string running = ".~talvex." + std::to_string(::getppid()) + ".7.tmp"; // not an engine: stray too
    for (const bool restartable : {false, true}) {
        std::filesystem::remove_all(path("dst"));
        write("src/sub/a", "a");
        write("dst/" + stray, "half");
        write("dst/sub/" + running, "half");
        write("dst/.~talvex.notanumber.tmp", "kept");
        write("dst/" + robocopy::PartialName("deleted"), "half");
        write("dst/sub/" + robocopy::PartialName("a"), "half");
        const Run result = copy(restartable ? std::vector<std::string>{"/E", "/Z"} : std::vector<std::string>{"/E"});
        EXPECT_EQ(result.code, 3) << result.output;
        EXPECT_EQ(read("dst/sub/a"), "a");
        EXPECT_EQ(Names(path("dst")), std::vector<std::string>({".~talvex.notanumber.tmp", "sub"})) << restartable;
        EXPECT_EQ(Names(path("dst/sub")), std::vector<std::string>{"a"}) << restartable;
    }
}

// A file written to or replaced while /MOV copies it holds what the copy lacks: it must not be deleted.
TEST_F(EngineInterrupt, MoveKeepsAFileChangedDuringItsCopy) {
    struct Case {
        const char* what;
        std::function<void()> change;
        bool (*kept)(const std::string& content);
    };
    const Case cases[] = {
        {"written to",
         [this] {
             const int fd = ::open(path("src/big.bin").c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
             EXPECT_EQ(::write(fd, "late", 4), 4);
             ::close(fd);
         },
         [](const std::string& content) { return content.ends_with("late"); }},
        {"replaced",
         [this] {
             write("src/new.bin", "the new version");
             std::filesystem::rename(path("src/new.bin"), path("src/big.bin"));
         },
         [](const std::string& content) { return content == "the new version"; }},
    };
    for (const Case& c : cases) {
        Result result;
        if (!actDuringCopy(
                {"/MOV", "/R:0", "/W:0"}, [&c](pid_t) { c.change(); }, result)) {
            GTEST_SKIP() << "the copy finished before the file could be changed";
        }
        EXPECT_TRUE(exists("src/big.bin") && c.kept(read("src/big.bin"))) << c.what << result.output;
        EXPECT_NE(result.output.find("Deleting Source File"), std::string::npos) << c.what << result.output;
    }
}

// Waits up to the limit for the condition, reading the child's output meanwhile.
bool WaitUntil(int output, std::string& text, const std::function<bool()>& done, Clock::duration limit) {
    (void)::fcntl(output, F_SETFL, O_NONBLOCK);
    for (const auto deadline = Clock::now() + limit; Clock::now() < deadline;) {
        char buffer[4096];
        for (ssize_t got = 0; (got = ::read(output, buffer, sizeof buffer)) > 0;) {
            text.append(buffer, static_cast<std::size_t>(got));
        }
        if (done()) {
            return true;
        }
        std::this_thread::sleep_for(20ms);
    }
    return false;
}

// A monitoring run copies what changed in a further pass, and SIGTERM ends it between passes.
TEST_F(EngineInterrupt, MonitoringRunCopiesChangesUntilStopped) {
    write("src/a", "a");
    const Child child = start({path("src"), path("dst"), "/MON:1", "/NP"});
    ASSERT_GE(child.pid, 0);
    std::string output;
    EXPECT_TRUE(WaitUntil(
        child.output, output, [this] { return exists("dst/a"); }, 10s))
        << output;
    // The monitor starts after the pass: changes go on until one pass more has copied them.
    bool copied = false;
    for (int round = 0; round < 15 && !copied; ++round) {
        write("src/b", "b" + std::to_string(round));
        write("src/sub/c", "c");
        copied = WaitUntil(
            child.output, output, [this] { return exists("dst/b"); }, 1s);
    }
    EXPECT_TRUE(copied) << output;
    ::kill(child.pid, SIGTERM);
    int status = 0;
    ::waitpid(child.pid, &status, 0);
    ::close(child.output);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    EXPECT_FALSE(HoldsTemporary(path("dst")));
}

// Outside its run hours a run waits, per pass or per file, copies nothing, and SIGTERM ends it.
TEST_F(EngineInterrupt, OutsideRunHoursNothingIsCopied) {
    write("src/a", "a");
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    const int first = (local.tm_hour + 2) % 24;
    char hours[32];
    std::snprintf(hours, sizeof hours, "/RH:%02d00-%02d00", first, (first + 1) % 24);
    for (const char* perFile : {"/NP", "/PF"}) {
        std::filesystem::remove_all(path("dst"));
        const Child child = start({path("src"), path("dst"), hours, perFile});
        ASSERT_GE(child.pid, 0);
        std::string output;
        EXPECT_TRUE(WaitUntil(
            child.output, output, [&output] { return output.find("Waiting for the run hours") != std::string::npos; },
            10s))
            << output;
        EXPECT_FALSE(exists("dst/a")) << perFile;
        ::kill(child.pid, SIGTERM);
        int status = 0;
        ::waitpid(child.pid, &status, 0);
        ::close(child.output);
        EXPECT_TRUE(WIFSIGNALED(status)) << perFile;
    }
}

std::string PartialIn(const std::string& folder) {
    for (const std::string& name : Names(folder)) {
        if (name.starts_with(".~talvex.z")) {
            return folder + "/" + name;
        }
    }
    return {};
}

// /Z: a copy killed half-way leaves its partial file, and the next run resumes it to an identical
// file; a source changed meanwhile starts it over.
TEST_F(EngineInterrupt, RestartableCopyResumesAfterKill) {
    const auto kill = [](pid_t child) { ::kill(child, SIGKILL); };
    const auto corruptFirstByte = [](const std::string& partial) {
        const int fd = ::open(partial.c_str(), O_WRONLY | O_CLOEXEC);
        EXPECT_EQ(::pwrite(fd, "X", 1, 0), 1);
        ::close(fd);
    };
    for (const bool sourceChanged : {false, true}) {
        Result result;
        if (!actDuringCopy({"/Z"}, kill, result)) {
            GTEST_SKIP() << "the copy finished before it could be killed";
        }
        const std::string partial = PartialIn(path("dst"));
        ASSERT_NE(partial, "") << "the partial file stays";
        const bool resumable = std::filesystem::file_size(partial) >= 128 * 1024;
        // A mark the resumed copy keeps, as it does not read again what it has.
        corruptFirstByte(partial);
        if (sourceChanged) {
            write("src/big.bin", read("src/big.bin"), 1000000);
        }
        const Run resumed = copy({"/Z", "/NP"});
        EXPECT_EQ(resumed.code, 1) << resumed.output;
        EXPECT_EQ(PartialIn(path("dst")), "");
        std::string copied = read("dst/big.bin");
        const std::string source = read("src/big.bin");
        ASSERT_EQ(copied.size(), source.size());
        if (resumable) {
            EXPECT_EQ(copied[0], sourceChanged ? source[0] : 'X') << (sourceChanged ? "started over" : "resumed");
        }
        copied[0] = source[0];
        EXPECT_TRUE(copied == source) << "identical but for the mark";
    }
}

} // namespace
