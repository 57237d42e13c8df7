// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/ChildProcess.h"
#include "platform/ProgramSearch.h"
#include "platform/WindowsCommandLine.h"

namespace talvex::platform {
namespace {

// A pipe this large lets a fast child write on while output is read in batches (1 MiB is the
// most an unprivileged process may ask for on Linux; smaller pipes still work, just less smoothly).
constexpr int kPipeSize = 1024 * 1024;
constexpr std::size_t kReadSize = std::size_t{256} * 1024;
// Reads in one poll; a child that writes faster than we read must not keep a poll from returning.
constexpr int kMaxReadsPerPoll = 8;
// Reads after the child's end; a grandchild that keeps writing must not keep the run alive.
constexpr int kMaxDrainReads = 64;
// After a small piece of output, how long to let more gather before returning: a child that
// writes line by line is then read in batches instead of one wake-up a line. Too short for a
// person watching the log to notice.
constexpr int kGatherMs = 2;
constexpr std::size_t kGatherBelow = std::size_t{16} * 1024;
// Without an exit descriptor the child's end is only noticed by looking again this often.
constexpr int kExitCheckMs = 20;

ChildStartError ErrorFor(int code) {
    return {code, std::system_category().message(code)};
}

void CloseFd(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

// A pipe end that landed on 0, 1 or 2 (the caller runs with a standard descriptor closed) would
// be dup2'ed onto itself in the child and keep its close-on-exec flag, leaving the child without it.
bool MoveAboveStandardDescriptors(int& fd) {
    if (fd > STDERR_FILENO) {
        return true;
    }
    const int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
    if (moved < 0) {
        return false;
    }
    ::close(fd);
    fd = moved;
    return true;
}

std::string_view EnvironmentName(std::string_view entry) {
    return entry.substr(0, entry.find('='));
}

std::vector<std::string> MergedEnvironment(const std::vector<std::string>& overrides) {
    std::vector<std::string> merged;
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        const std::string_view name = EnvironmentName(*entry);
        const bool replaced = std::any_of(overrides.begin(), overrides.end(),
                                          [&](const std::string& o) { return EnvironmentName(o) == name; });
        if (!replaced) {
            merged.emplace_back(*entry);
        }
    }
    merged.insert(merged.end(), overrides.begin(), overrides.end());
    return merged;
}

std::vector<char*> PointerList(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    pointers.reserve(strings.size() + 1);
    for (auto& s : strings) {
        pointers.push_back(s.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

// The child reads `input` and writes both its output streams to `output`.
class SpawnSetup final {
public:
    SpawnSetup(int input, int output) {
        ::posix_spawn_file_actions_init(&actions);
        ::posix_spawnattr_init(&attributes);
        ::posix_spawn_file_actions_adddup2(&actions, input, STDIN_FILENO);
        ::posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
        ::posix_spawn_file_actions_adddup2(&actions, output, STDERR_FILENO);
        // Its own process group, so that a stop reaches everything the child starts; signals the
        // caller ignores or blocks (a GUI often ignores SIGPIPE) are not handed down.
        sigset_t empty;
        sigemptyset(&empty);
        sigset_t defaults;
        sigemptyset(&defaults);
        for (int sig :
             {SIGPIPE, SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGCHLD, SIGUSR1, SIGUSR2, SIGTSTP, SIGTTIN, SIGTTOU}) {
            sigaddset(&defaults, sig);
        }
        ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
        ::posix_spawnattr_setpgroup(&attributes, 0);
        ::posix_spawnattr_setsigmask(&attributes, &empty);
        ::posix_spawnattr_setsigdefault(&attributes, &defaults);
    }
    ~SpawnSetup() {
        ::posix_spawn_file_actions_destroy(&actions);
        ::posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    posix_spawn_file_actions_t actions{};
    posix_spawnattr_t attributes{};
};

class PosixChildProcess final : public ChildProcess {
public:
    explicit PosixChildProcess(ChildProcessSettings settings) : m_settings(std::move(settings)) {}

    ~PosixChildProcess() override {
        if (m_pid > 0) {
            ::kill(-m_pid, SIGKILL);
            int status = 0;
            while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
            }
        }
        closeAll();
    }

    PosixChildProcess(const PosixChildProcess&) = delete;
    PosixChildProcess& operator=(const PosixChildProcess&) = delete;

    std::optional<ChildStartError> start(std::string_view commandLine, const ChildStartOptions& options) override {
        if (m_pid > 0) {
            return ChildBusyError();
        }
        m_exitCode.reset();
        m_stopRequested = false;
        m_killSent = false;

        std::vector<std::string> args = SplitWindowsCommandLine(commandLine);
        if (args.empty()) {
            return ErrorFor(ENOENT);
        }
        const char* path = std::getenv("PATH");
        const std::string programFolder =
            m_settings.programFolder.empty() ? OwnProgramFolder() : m_settings.programFolder;
        const auto program =
            FindProgram(args.front(), ProgramSearchFolders(programFolder, path != nullptr ? path : ""));
        if (!program) {
            return ErrorFor(ENOENT);
        }

        std::array<int, 2> output{-1, -1};
        std::array<int, 2> input{-1, -1};
        auto fail = [&](int code) {
            for (auto* pipe : {&output, &input}) {
                for (int& fd : *pipe) {
                    CloseFd(fd);
                }
            }
            return ErrorFor(code);
        };
        if (::pipe2(output.data(), O_CLOEXEC) != 0 || ::pipe2(input.data(), O_CLOEXEC) != 0) {
            return fail(errno);
        }
        for (auto* pipe : {&output, &input}) {
            for (int& fd : *pipe) {
                if (!MoveAboveStandardDescriptors(fd)) {
                    return fail(errno);
                }
            }
        }

        const SpawnSetup setup(input[0], output[1]);

        std::vector<char*> argv = PointerList(args);
        std::vector<std::string> environment;
        std::vector<char*> envp;
        if (!options.environment.empty()) {
            environment = MergedEnvironment(options.environment);
            envp = PointerList(environment);
        }
        pid_t pid = 0;
        // glibc reports a failed exec (missing, not executable, bad format) as the result here.
        const int spawned = ::posix_spawn(&pid, program->c_str(), &setup.actions, &setup.attributes, argv.data(),
                                          envp.empty() ? environ : envp.data());
        if (spawned != 0) {
            return fail(spawned);
        }

        // Closing the write end at once gives the child end-of-file on its first read, so a child
        // that asks for input goes on instead of waiting for an answer nobody can type.
        CloseFd(input[1]);
        CloseFd(input[0]);
        CloseFd(output[1]);
        m_output = output[0];
        ::fcntl(m_output, F_SETFL, ::fcntl(m_output, F_GETFL) | O_NONBLOCK);
        ::fcntl(m_output, F_SETPIPE_SZ, kPipeSize);
        m_pid = pid;
        m_exitFd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
        if (m_buffer.size() < kReadSize) {
            m_buffer.resize(kReadSize);
        }
        return std::nullopt;
    }

    ChildPoll poll(int timeoutMs) override {
        m_filled = 0;
        if (m_pid <= 0) {
            return {{}, true};
        }
        killIfGraceOver();
        Events events = waitForEvent(std::max(timeoutMs, 0));
        killIfGraceOver();
        if (events.output) {
            readAvailable();
            if (timeoutMs > 0 && !events.exit && m_output >= 0 && m_filled < kGatherBelow) {
                events.exit = waitForExit(std::min(timeoutMs, kGatherMs));
                readAvailable();
            }
        }
        // Looking for the end only when told of it keeps a busy run at two system calls a chunk.
        if ((events.exit || m_exitFd < 0) && hasEnded()) {
            return finish();
        }
        return {std::span<const char>(m_buffer.data(), m_filled), false};
    }

    bool terminate() override {
        if (m_pid <= 0) {
            return false;
        }
        if (m_stopRequested) {
            return true;
        }
        // The leader is not reaped before the run ends, so its id still names the group here.
        if (::kill(-m_pid, SIGTERM) != 0 && errno != ESRCH) {
            return false;
        }
        m_stopRequested = true;
        m_stopDeadline = std::chrono::steady_clock::now() + m_settings.stopGrace;
        return true;
    }

    bool running() const override { return m_pid > 0; }
    std::optional<int> exitCode() const override { return m_exitCode; }
    bool stopped() const override { return m_stopRequested; }
    ChildWaitHandles waitHandles() const override {
        if (m_pid <= 0) {
            return {};
        }
        return {m_output, m_exitFd};
    }

private:
    struct Events {
        bool output = false;
        bool exit = false;
    };

    Events waitForEvent(int timeoutMs) {
        std::array<pollfd, 2> fds{};
        nfds_t count = 0;
        int outputIndex = -1;
        int exitIndex = -1;
        if (m_output >= 0) {
            outputIndex = static_cast<int>(count);
            fds[count++] = {m_output, POLLIN, 0};
        }
        if (m_exitFd >= 0) {
            exitIndex = static_cast<int>(count);
            fds[count++] = {m_exitFd, POLLIN, 0};
        } else {
            timeoutMs = std::min(timeoutMs, kExitCheckMs);
        }
        if (m_stopRequested && !m_killSent) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(m_stopDeadline -
                                                                                    std::chrono::steady_clock::now());
            timeoutMs = std::clamp(static_cast<int>(left.count()) + 1, 0, timeoutMs);
        }
        // An interrupted wait counts as a wait without events; the caller polls again.
        if (::poll(fds.data(), count, timeoutMs) <= 0) {
            return {};
        }
        Events events;
        events.output = outputIndex >= 0 && fds[outputIndex].revents != 0;
        events.exit = exitIndex >= 0 && fds[exitIndex].revents != 0;
        return events;
    }

    bool waitForExit(int timeoutMs) {
        if (m_exitFd < 0) {
            ::poll(nullptr, 0, timeoutMs);
            return false;
        }
        pollfd fd{m_exitFd, POLLIN, 0};
        return ::poll(&fd, 1, timeoutMs) > 0;
    }

    void readAvailable() {
        // A read that returns less than it asked for has emptied the pipe.
        for (int i = 0; i < kMaxReadsPerPoll && m_output >= 0; ++i) {
            const std::size_t before = m_filled;
            if (!readOnce() || m_filled - before < kReadSize) {
                break;
            }
        }
    }

    // Appends what the pipe holds now; false when nothing more can come at the moment.
    bool readOnce() {
        if (m_buffer.size() - m_filled < kReadSize) {
            m_buffer.resize(m_filled + kReadSize);
        }
        ssize_t n = 0;
        do {
            n = ::read(m_output, m_buffer.data() + m_filled, kReadSize);
        } while (n < 0 && errno == EINTR);
        if (n > 0) {
            m_filled += static_cast<std::size_t>(n);
            return true;
        }
        if (n == 0 || errno != EAGAIN) {
            // End of output: the child and everything it started closed the pipe (or it broke).
            // The child may still run; from now on only its end is waited for.
            CloseFd(m_output);
        }
        return false;
    }

    [[nodiscard]] bool hasEnded() const {
        siginfo_t info{};
        // WNOWAIT leaves the child unreaped, so its id keeps naming its group until the final kill.
        if (::waitid(P_PID, static_cast<id_t>(m_pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0) {
            return info.si_pid == m_pid;
        }
        // ECHILD: someone else reaped it (a caller that ignores SIGCHLD has children reaped by the
        // system); the run must end all the same instead of waiting forever.
        return errno != EINTR;
    }

    void killIfGraceOver() {
        if (m_stopRequested && !m_killSent && std::chrono::steady_clock::now() >= m_stopDeadline) {
            ::kill(-m_pid, SIGKILL);
            m_killSent = true;
        }
    }

    ChildPoll finish() {
        if (m_stopRequested) {
            // Whatever the child started and left behind is part of what the user stopped.
            ::kill(-m_pid, SIGKILL);
        }
        for (int i = 0; i < kMaxDrainReads && m_output >= 0 && readOnce(); ++i) {
        }
        int status = 0;
        pid_t reaped = 0;
        do {
            reaped = ::waitpid(m_pid, &status, 0);
        } while (reaped < 0 && errno == EINTR);
        m_exitCode = -1;
        if (reaped == m_pid && WIFEXITED(status)) {
            m_exitCode = WEXITSTATUS(status);
        } else if (reaped == m_pid && WIFSIGNALED(status)) {
            m_exitCode = 128 + WTERMSIG(status);
        }
        m_pid = -1;
        closeAll();
        return {std::span<const char>(m_buffer.data(), m_filled), true};
    }

    void closeAll() {
        CloseFd(m_output);
        CloseFd(m_exitFd);
    }

    ChildProcessSettings m_settings;
    pid_t m_pid = -1;
    int m_output = -1;
    int m_exitFd = -1;
    std::vector<char> m_buffer;
    std::size_t m_filled = 0;
    std::optional<int> m_exitCode;
    bool m_stopRequested = false;
    bool m_killSent = false;
    std::chrono::steady_clock::time_point m_stopDeadline{};
};

} // namespace

ChildStartError ChildBusyError() {
    return ErrorFor(EBUSY);
}

std::unique_ptr<ChildProcess> CreateChildProcess(ChildProcessSettings settings) {
    return std::make_unique<PosixChildProcess>(std::move(settings));
}

} // namespace talvex::platform
