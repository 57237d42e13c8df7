// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "core/exec/ChildRun.h"
#include "core/exec/DryRun.h"
#include "core/exec/JobSteps.h"
#include "core/exec/RunResult.h"
#include "core/formats/FormatServices.h"
#include "core/options/JobState.h"
#include "core/output/DryRunCount.h"
#include "core/output/ProgressTracker.h"
#include "core/output/RobocopyOutput.h"
#include "core/services/LogSink.h"
#include "platform/ChildProcess.h"
#include "platform/Clock.h"
#include "platform/Files.h"

namespace talvex::exec {

/// How a job is handed to robocopy, as chosen in the run menu and kept in the settings. Other
/// values can come from an edited settings file; they run nothing.
enum class JobMode : int {
    CommandLine = 0,      ///< "Cmd": the complete command line built from the options
    TemporaryJobFile = 1, ///< "Tmp": the options in "~tmp.rcj" in the settings folder, run with /JOB:
};

/// The name of the temporary job file in the settings folder.
inline constexpr const char* kTemporaryJobFileName = "~tmp.rcj";

/// What a job run needs from around it. Every reference must outlive the executor.
struct JobExecutorServices {
    platform::ChildProcess& process;
    const formats::FormatServices& formats;
    const platform::Clock& clock;
    MediaSteps& media;
    std::string settingsFolder;
    /// Waits between attempts to delete an old temporary job file; empty sleeps.
    platform::Wait wait;
    /// Asks before a run deletes; without it such a run is not started when asking is wanted.
    DeletionQuestions* questions = nullptr;
};

/// How a run is made beyond its job and run modes.
struct RunOptions {
    /// Run the job with /L only and report what it would do; the job stays as it is, and no image
    /// or burn step follows.
    bool simulate = false;
    /// Before a job with /MIR, /PURGE, /MOV or /MOVE runs, a pass with /L counts what it would
    /// delete, and the user is asked when anything would go.
    bool askBeforeDeleting = false;
    /// Count every job with a pass with /L first, so that its progress has a total.
    bool countFirst = false;
};

/// How the last run ended, for its result in words.
struct RunOutcome {
    /// The job that ran; only to be compared with, it may have been closed since.
    const options::JobState* job = nullptr;
    /// Robocopy ran and ended (also when stopped); none when it never ran.
    bool ran = false;
    bool simulated = false;
    /// What a simulation that ran to its end would have done; empty otherwise.
    std::string simulation;
    RunResult result;
    std::optional<int> exitCode;
    /// From the press of Start to the end.
    std::chrono::system_clock::duration duration{};
};

/// Runs jobs through robocopy, one at a time in the whole program, and stops them.
///
/// `ExecuteJob` is the Start/Stop action: while nothing runs it prepares the run and starts
/// robocopy; while a run goes on it stops the child that runs at that moment. Nothing here waits
/// for a child: the caller drives the run with `poll` from its event loop (a timer, or a watcher on
/// `waitHandles()`), and tests drive it in a loop. When robocopy has ended, the image and burn
/// steps follow when the job asks for them, driven by the same `poll`.
///
/// The running mark (`running()`) is set for the whole of a run and cleared at its end, whatever
/// went wrong on the way; the job's StateChangedFlag is raised at both moments so that the main
/// window's timer shows "Stop" and "Start" in turn. The job and the log of a run must outlive it.
class JobExecutor final {
public:
    explicit JobExecutor(JobExecutorServices services);
    JobExecutor(const JobExecutor&) = delete;
    JobExecutor& operator=(const JobExecutor&) = delete;
    ~JobExecutor();

    /// The Start/Stop action for the current job, with the run modes of the run menu. While a run
    /// goes on, the arguments are not used: the stop messages go to the log of the running job.
    void ExecuteJob(options::JobState& job, LogSink& log, JobMode jobMode, platform::ShowMode showMode,
                    RunOptions options = {});

    /// Waits at most `timeoutMs` for the running child, logs its output and takes the next step
    /// when it has ended. Returns the running mark.
    bool poll(int timeoutMs);

    /// The running mark: a run (its preparation, robocopy, the image or burn step) is in progress.
    [[nodiscard]] bool running() const { return m_phase != Phase::Idle; }
    /// The job of the run in progress, or none. A job must not be closed while it runs.
    [[nodiscard]] const options::JobState* runningJob() const { return m_job; }
    /// What an event loop can watch for the child that runs now (see `platform::ChildWaitHandles`).
    [[nodiscard]] platform::ChildWaitHandles waitHandles() const;
    /// The command line of the current or last run; empty when none was built.
    [[nodiscard]] const std::string& commandLine() const { return m_commandLine; }
    /// The date taken when the current or last run was started; the image step's volume label.
    [[nodiscard]] const std::string& volumeDate() const { return m_volumeDate; }
    [[nodiscard]] std::string temporaryJobFile() const;
    /// Progress of the run in progress, from robocopy's output.
    [[nodiscard]] const output::Progress& progress() const { return m_progress.progress(); }
    /// How long the run in progress has taken so far.
    [[nodiscard]] std::chrono::system_clock::duration elapsed() const;
    /// True while the pass with /L before the run counts.
    [[nodiscard]] bool counting() const { return m_phase == Phase::Counting; }
    [[nodiscard]] const RunOutcome& lastOutcome() const { return m_outcome; }

private:
    enum class Phase {
        Idle,
        Preparing,
        Counting,
        Asking,
        Robocopy,
        Image,
        Burn,
    };

    void stop();
    void start(JobMode jobMode, platform::ShowMode showMode);
    bool prepareCommandLine();
    bool prepareTemporaryJob();
    [[nodiscard]] std::optional<std::string> checkLine(JobMode jobMode) const;
    void startCounting(const std::string& commandLine);
    void countingEnded();
    void runRobocopy();
    void robocopyEnded();
    void considerImage();
    void imageEnded(bool succeeded);
    void finish();
    void abort(const char* reason);

    /// Hands robocopy's lines to the log, the progress and the count as the run wants them.
    class OutputTap final : public LogSink {
    public:
        void appendLine(std::string_view text, LogColour colour) override;
        LogSink* log = nullptr;
        bool quiet = false; ///< only lines that are not robocopy's output reach the log
        output::ProgressTracker* progress = nullptr;
        output::DryRunCount* count = nullptr;
        output::RobocopyOutput reader;
    };

    JobExecutorServices m_services;
    Phase m_phase = Phase::Idle;
    RunOptions m_options;
    platform::ShowMode m_showMode = platform::ShowMode::Hidden;
    Deletions m_deletions;
    OutputTap m_tap;
    output::ProgressTracker m_progress;
    std::optional<output::DryRunCount> m_count;
    RunOutcome m_outcome;
    platform::Clock::TimePoint m_started{};
    bool m_robocopyStarted = false;
    options::JobState* m_job = nullptr;
    LogSink* m_log = nullptr;
    std::optional<ChildRun> m_run;
    std::unique_ptr<JobStep> m_step;
    std::string m_commandLine;
    std::string m_volumeDate;
    bool m_temporaryJob = false;
    bool m_error = false;
    bool m_stopped = false;
};

/// Starts a job and polls it to its end, every `pollMs`. For tests and tools that may block.
void RunJobToEnd(JobExecutor& executor, options::JobState& job, LogSink& log, JobMode jobMode,
                 platform::ShowMode showMode = platform::ShowMode::Hidden, int pollMs = 100);

} // namespace talvex::exec
