// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Temporary.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>

#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace robocopy {

namespace {

constexpr std::string_view kPrefix = ".~talvex.";
constexpr std::string_view kSuffix = ".tmp";
constexpr std::array kInterrupts = {SIGINT, SIGTERM, SIGHUP};

// What the interrupt handler needs, in types it may touch. The handler runs on the main thread only
// (the worker blocks interrupts); it waits for the worker to finish a creation under way, and a
// creation that starts after the handler did is refused, so no entry appears that it would miss.
std::atomic<int> dying{0};
std::array<std::atomic<int>, kWriterSlots> creating{};
std::array<std::atomic<pid_t>, kWriterSlots> creator{};
// The folder descriptor plus one, so that a slot never used (zero) names no folder.
std::array<volatile std::sig_atomic_t, kWriterSlots> pendingDirFd{};
std::array<std::array<char, 64>, kWriterSlots> pendingName{};

pid_t ThreadId() {
    return static_cast<pid_t>(::syscall(SYS_gettid));
}

extern "C" void RemovePendingAndDie(int signalNumber) {
    dying.store(1);
    const pid_t self = ThreadId();
    for (int slot = 0; slot < kWriterSlots; ++slot) {
        while (creator[slot].load() != self && creating[slot].load() != 0) {
            // The other thread is between registering a name and creating it: a few system calls.
        }
    }
    for (int slot = 0; slot < kWriterSlots; ++slot) {
        const int dirFd = pendingDirFd[slot] - 1;
        if (dirFd >= 0) {
            ::unlinkat(dirFd, pendingName[slot].data(), 0);
        }
    }
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

std::atomic<unsigned> temporaryCounter{0};

// A temporary name that cannot clash with what a user keeps: dot file, process id and a counter.
std::string TemporaryName(unsigned counter) {
    std::array<char, 64> buffer{};
    static const int pid = static_cast<int>(::getpid());
    std::snprintf(buffer.data(), buffer.size(), "%.*s%d.%u%.*s", static_cast<int>(kPrefix.size()), kPrefix.data(), pid,
                  counter, static_cast<int>(kSuffix.size()), kSuffix.data());
    return buffer.data();
}

void NotePending(int slot, int dirFd, const std::string& name) {
    pendingDirFd[slot] = 0;
    const std::size_t length = std::min(name.size(), pendingName[slot].size() - 1);
    std::memcpy(pendingName[slot].data(), name.data(), length);
    pendingName[slot][length] = '\0';
    pendingDirFd[slot] = dirFd + 1;
}

// True while a process of that id runs this engine; a reused id of another program does not count.
bool EngineRuns(int pid) {
    if (::kill(pid, 0) != 0 && errno == ESRCH) {
        return false;
    }
    std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    return !comm || !std::getline(comm, name) || name == "robocopy";
}

} // namespace

int CreateTemporary(int slot, int dirFd, std::string& name,
                    const std::function<int(int dirFd, const char* name)>& make) {
    static thread_local const pid_t self = ThreadId();
    creator[slot].store(self);
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = TemporaryName(++temporaryCounter);
        NotePending(slot, dirFd, name);
        creating[slot].store(1);
        if (dying.load() != 0) {
            creating[slot].store(0);
            errno = EINTR;
            return -1;
        }
        const int result = make(dirFd, name.c_str());
        const int error = errno;
        if (result < 0) {
            pendingDirFd[slot] = 0; // not ours: it may be another run's
        }
        creating[slot].store(0);
        if (result >= 0 || error != EEXIST) {
            errno = error;
            return result;
        }
    }
    errno = EEXIST;
    return -1;
}

void ReleaseTemporary(int slot) {
    pendingDirFd[slot] = 0;
}

bool IsStrayTemporary(std::string_view name) {
    if (!name.starts_with(kPrefix) || !name.ends_with(kSuffix)) {
        return false;
    }
    name.remove_prefix(kPrefix.size());
    int pid = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), pid);
    if (error != std::errc() || end == name.data() || *end != '.' || pid <= 0) {
        return false;
    }
    return pid != static_cast<int>(::getpid()) && !EngineRuns(pid);
}

void RemoveTemporaryOnInterrupt() {
    struct sigaction action {};
    action.sa_handler = RemovePendingAndDie;
    ::sigemptyset(&action.sa_mask);
    for (const int signalNumber : kInterrupts) {
        ::sigaddset(&action.sa_mask, signalNumber); // one handler at a time
    }
    for (const int signalNumber : kInterrupts) {
        ::sigaction(signalNumber, &action, nullptr);
    }
    // A reader that goes away must not stop the copy half-way; its output is simply dropped.
    std::signal(SIGPIPE, SIG_IGN);
}

void BlockInterrupts() {
    sigset_t set;
    ::sigemptyset(&set);
    for (const int signalNumber : kInterrupts) {
        ::sigaddset(&set, signalNumber);
    }
    ::pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

} // namespace robocopy
