// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "core/exec/ChildRun.h"
#include "platform/ChildProcess.h"
#include "platform/Files.h"

namespace talvex {
class LogSink;
namespace formats {
class FormatServices;
}
namespace options {
class JobState;
}
} // namespace talvex

namespace talvex::exec {

/// How a job is run, as chosen in the run menu: the job mode (0 the full command line, 1 a
/// temporary job file; any other value, from an edited settings file, runs nothing) and how
/// robocopy's console window is shown.
struct RunModes {
    long long jobMode = 0;
    platform::ShowMode showMode = platform::ShowMode::Hidden;
};

/// One run of a job through robocopy (`ExecuteJob`): the command line or the temporary job file is
/// prepared, robocopy is started with its output streaming into the job's log, and the end is
/// logged. Nothing blocks: the caller polls from its event loop (or a loop in tests) until the run
/// is over. Stop ends the child; the run then finishes as usual.
class JobExecution final {
public:
    /// `process` and `formats` must outlive the object. `wait` is how the deletion of an old
    /// temporary job file waits between attempts (empty: sleep).
    JobExecution(platform::ChildProcess& process, const formats::FormatServices& formats, platform::Wait wait = {});

    /// Starts a run of `job`, writing into `log` (both must live until the run is over); a
    /// temporary job file goes to `temporaryJobFile`. True while robocopy runs: poll until
    /// `Finished`. False when the run is already over (preparation failed, robocopy could not be
    /// started, or the job mode runs nothing); everything is logged then.
    bool start(const options::JobState& job, LogSink& log, const RunModes& modes, const std::string& temporaryJobFile);

    /// Waits at most `timeoutMs` for robocopy's output; logs the end once.
    ChildRun::State poll(int timeoutMs);

    /// The second press of Start: ends the child and logs whether that worked.
    void stop();

    [[nodiscard]] bool running() const { return m_run && m_run->running(); }
    /// True after a run whose preparation succeeded: the image step, when the job asks for one,
    /// follows (also after a non-zero exit code or a stop).
    [[nodiscard]] bool preparedWithoutError() const { return !m_error; }

private:
    [[nodiscard]] std::optional<std::string> prepareCommandLine(const options::JobState& job,
                                                                const std::string& temporaryJobFile);
    bool run(const options::JobState& job, const std::string& commandLine);
    void logEnd();

    platform::ChildProcess& m_process;
    const formats::FormatServices& m_formats;
    platform::Wait m_wait;
    LogSink* m_log = nullptr;
    std::optional<ChildRun> m_run;
    long long m_jobMode = 0;
    bool m_error = false;
    platform::ShowMode m_showMode = platform::ShowMode::Hidden;
};

} // namespace talvex::exec
