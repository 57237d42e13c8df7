// SPDX-License-Identifier: GPL-3.0-or-later
#include <chrono>
#include <csignal>
#include <functional>
#include <thread>

#include <dirent.h>

#include "TreeFixture.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// The names in a folder; none when it does not exist.
std::vector<std::string> names(const std::string& folder) {
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
    return result;
}

bool holdsTemporary(const std::string& folder) {
    for (const std::string& name : names(folder)) {
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

    // Copies a sparse file of `size` bytes with the switches and calls `meanwhile` once the temporary
    // file shows up; it tells whether it acted while the copy was under way. Every wait is bounded, so
    // a run that hangs fails the test instead of hanging it.
    Result copyAndMeanwhile(off_t size, const std::vector<std::string>& switches,
                            const std::function<bool(pid_t child)>& meanwhile) const {
        std::filesystem::remove_all(path("src"));
        std::filesystem::remove_all(path("dst"));
        std::filesystem::create_directories(path("src"));
        const std::string big = path("src/big.bin");
        const int fd = ::open(big.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        EXPECT_GE(fd, 0);
        EXPECT_EQ(::ftruncate(fd, size), 0);
        ::close(fd);

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
            if (holdsTemporary(path("dst"))) {
                result.outcome = meanwhile(child.pid) ? Outcome::Acted : Outcome::FinishedFirst;
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
};

// Whatever ends the run from outside, the destination holds the old state: no file under its real
// name that is shorter than the source, and no stray temporary that nobody will ever clean up.
TEST_F(EngineInterrupt, SignalLeavesNoHalfWrittenFile) {
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        Result result;
        // A much larger file when the copy outran the poll; skipped only if even that is too quick.
        for (const off_t size : {off_t{512} << 20, off_t{8} << 30}) {
            result =
                copyAndMeanwhile(size, {}, [signalNumber](pid_t child) { return ::kill(child, signalNumber) == 0; });
            if (result.outcome != Outcome::FinishedFirst) {
                break;
            }
        }
        if (result.outcome == Outcome::FinishedFirst) {
            GTEST_SKIP() << "the copy finished before it could be interrupted";
        }
        ASSERT_EQ(result.outcome, Outcome::Acted) << "no temporary file appeared\n" << result.output;
        EXPECT_TRUE(WIFSIGNALED(result.status) && WTERMSIG(result.status) == signalNumber)
            << "signal " << signalNumber << ", status " << result.status;
        EXPECT_EQ(names(path("dst")), std::vector<std::string>{}) << "signal " << signalNumber;
        std::filesystem::remove_all(path("dst"));
    }
}

// A file written to while /MOV copies it holds data the copy lacks: it must not be deleted.
TEST_F(EngineInterrupt, MoveKeepsAFileChangedDuringItsCopy) {
    Result result;
    for (const off_t size : {off_t{512} << 20, off_t{8} << 30}) {
        result = copyAndMeanwhile(size, {"/MOV", "/R:0", "/W:0"}, [this](pid_t) {
            const int fd = ::open(path("src/big.bin").c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
            const bool written = fd >= 0 && ::write(fd, "late", 4) == 4;
            if (fd >= 0) {
                ::close(fd);
            }
            // Still a temporary file: the copy was not done, so its source was not deleted before the write.
            return written && holdsTemporary(path("dst"));
        });
        if (result.outcome != Outcome::FinishedFirst) {
            break;
        }
    }
    if (result.outcome == Outcome::FinishedFirst) {
        GTEST_SKIP() << "the copy finished before the file could be changed";
    }
    ASSERT_EQ(result.outcome, Outcome::Acted) << result.output;
    EXPECT_TRUE(exists("src/big.bin")) << result.output;
    EXPECT_NE(result.output.find("Deleting Source File"), std::string::npos) << result.output;
}

} // namespace
