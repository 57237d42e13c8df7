// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

#include "core/exec/OutputLineSplitter.h"
#include "core/services/LogSink.h"
#include "platform/ChildProcess.h"

namespace talvex::exec {

/// One run of a console program with its output streamed into a log, line by line, in black.
///
/// Nothing here blocks longer than the caller allows, so the run can be driven from an event loop
/// or synchronously in a loop. In an event loop, call `poll(0)` from a timer of some tens of
/// milliseconds (output gathers in the pipe meanwhile, so a fast child costs few wake-ups), or
/// when one of `waitHandles()` becomes readable; `Finished` is the exit event. The caller holds
/// the child process object and with it the rule that only one child runs at a time.
class ChildRun final {
public:
    enum class State {
        Idle,     ///< no child has been started, or the end has already been reported
        Running,  ///< the child may still write
        Finished, ///< reported once: the child has ended and all its output has been logged
    };

    ChildRun(platform::ChildProcess& process, LogSink& log);

    /// Starts the program of a complete Windows-style command line. When it cannot be started the
    /// system's message is logged as one red line and false returned; nothing else is logged then.
    [[nodiscard]] bool start(std::string_view commandLine, OutputEncoding encoding,
                             const platform::ChildStartOptions& options = {});

    /// Waits at most `timeoutMs` for output, logs every line that is complete, and reports the end
    /// once (the unfinished last line is logged with it).
    State poll(int timeoutMs);

    /// Asks the running child to stop; the run still has to be polled to its end, which logs what
    /// the child wrote until then. False when no child runs or the request failed.
    bool terminate();

    [[nodiscard]] bool running() const { return m_state == State::Running; }
    /// True when the last child ended by itself with exit code 0. A stopped child never counts as
    /// a success: a half-written image must not be handed on to be burnt.
    [[nodiscard]] bool succeeded() const;
    [[nodiscard]] std::optional<int> exitCode() const { return m_process.exitCode(); }
    [[nodiscard]] bool stopped() const { return m_process.stopped(); }
    [[nodiscard]] platform::ChildWaitHandles waitHandles() const { return m_process.waitHandles(); }

private:
    platform::ChildProcess& m_process;
    LogSink& m_log;
    std::optional<OutputLineSplitter> m_splitter;
    State m_state = State::Idle;
    bool m_started = false;
};

/// Runs a command line to its end, polling every `pollMs`; true when it succeeded (see
/// `ChildRun::succeeded`). For callers that may block, such as tests and tools.
bool RunToEnd(ChildRun& run, std::string_view commandLine, OutputEncoding encoding,
              const platform::ChildStartOptions& options = {}, int pollMs = 100);

} // namespace talvex::exec
