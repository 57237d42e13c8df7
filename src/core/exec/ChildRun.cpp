// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exec/ChildRun.h"

namespace talvex::exec {

ChildRun::ChildRun(platform::ChildProcess& process, LogSink& log) : m_process(process), m_log(log) {}

bool ChildRun::start(std::string_view commandLine, OutputEncoding encoding,
                     const platform::ChildStartOptions& options) {
    if (m_state == State::Running) {
        // Reported like any other start failure; the child that runs is left alone.
        m_log.appendLine(platform::ChildBusyError().message, LogColour::Red);
        return false;
    }
    m_started = false;
    m_state = State::Idle;
    if (const auto error = m_process.start(commandLine, options)) {
        m_log.appendLine(error->message, LogColour::Red);
        return false;
    }
    m_splitter.emplace(encoding, m_log);
    m_started = true;
    m_state = State::Running;
    return true;
}

ChildRun::State ChildRun::poll(int timeoutMs) {
    if (m_state != State::Running) {
        m_state = State::Idle;
        return m_state;
    }
    const platform::ChildPoll result = m_process.poll(timeoutMs);
    m_splitter->feed(result.output);
    if (!result.ended) {
        return m_state;
    }
    m_splitter->finish();
    m_state = State::Finished;
    return m_state;
}

bool ChildRun::terminate() {
    return m_state == State::Running && m_process.terminate();
}

bool ChildRun::succeeded() const {
    return m_started && m_state != State::Running && m_process.exitCode() == 0 && !m_process.stopped();
}

bool RunToEnd(ChildRun& run, std::string_view commandLine, OutputEncoding encoding,
              const platform::ChildStartOptions& options, int pollMs) {
    if (!run.start(commandLine, encoding, options)) {
        return false;
    }
    while (run.poll(pollMs) == ChildRun::State::Running) {
    }
    return run.succeeded();
}

} // namespace talvex::exec
