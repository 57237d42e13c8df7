// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace talvex::platform {

/// How the console window of a child is shown, as chosen in the run menu and kept in the settings.
/// Values outside the four named ones can come from an edited settings file and are passed on.
/// POSIX has no console window of a child's own, so there the mode has no visible effect.
enum class ShowMode : std::uint8_t {
    Hidden = 0,
    Normal = 1,
    Minimised = 2,
    Maximised = 3,
};

struct ChildStartOptions {
    ShowMode showMode = ShowMode::Hidden;
    /// "NAME=value" entries that replace or extend the caller's environment for this child only.
    std::vector<std::string> environment;
};

/// Why a child could not be started: the system's error number and its message.
struct ChildStartError {
    int code = 0;
    std::string message;
};

/// What one poll found: the output read (valid until the next call) and whether the run is over.
/// When `ended` is true the child has been reaped and everything it left in the pipe is in `output`.
struct ChildPoll {
    std::span<const char> output;
    bool ended = false;
};

/// Descriptors an event loop can watch instead of polling on a timer: the output pipe, and a
/// descriptor that becomes readable when the child ends (-1 where the system has none; the caller
/// then also polls on a timer). Both are -1 when no child runs. They can change with every poll
/// (the output descriptor is closed once the child and all it started have closed their end), so
/// a watcher fetches them again after each poll.
struct ChildWaitHandles {
    int output = -1;
    int exit = -1;
};

/// One child process at a time with its standard output and error captured on one pipe.
/// The object is the only record of its child; the caller holds it and decides who may start one.
class ChildProcess {
public:
    virtual ~ChildProcess() = default;

    /// Starts the program of a complete Windows-style command line, split by the Windows rules and
    /// executed directly (never through a shell). Standard input is a pipe that is never written.
    /// Fails while an earlier child has not ended.
    [[nodiscard]] virtual std::optional<ChildStartError> start(std::string_view commandLine,
                                                               const ChildStartOptions& options) = 0;

    /// Waits at most `timeoutMs` for output or the child's end and returns what was read. Never
    /// blocks longer; 0 only looks. Without a running child it reports `ended` at once.
    [[nodiscard]] virtual ChildPoll poll(int timeoutMs) = 0;

    /// Asks the child and everything it started to stop, and makes sure they do: what has not
    /// ended after a short grace is killed by a later poll. Windows has no request a console
    /// program hears from outside its console, so there the whole tree ends at once (exit code 1).
    /// False when no child runs or the request could not be made.
    virtual bool terminate() = 0;

    [[nodiscard]] virtual bool running() const = 0;
    /// The exit code of the last child once it has ended; 128 + signal number when a signal ended it,
    /// -1 when it could not be learnt.
    [[nodiscard]] virtual std::optional<int> exitCode() const = 0;
    /// True when the last child ended after `terminate`.
    [[nodiscard]] virtual bool stopped() const = 0;
    [[nodiscard]] virtual ChildWaitHandles waitHandles() const = 0;
};

struct ChildProcessSettings {
    /// Searched first for a bare program name, before PATH; empty means the running program's folder.
    std::string programFolder;
    /// How long a stopped child may take to end before it and its group are killed (POSIX).
    std::chrono::milliseconds stopGrace{1000};
};

/// The error of a start while a child still runs, in the system's own words.
[[nodiscard]] ChildStartError ChildBusyError();

[[nodiscard]] std::unique_ptr<ChildProcess> CreateChildProcess(ChildProcessSettings settings = {});

} // namespace talvex::platform
