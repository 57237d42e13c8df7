// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exec/JobExecutor.h"

#include <exception>
#include <utility>

#include "core/formats/CommandLineBuilder.h"
#include "core/formats/JobFileWriter.h"
#include "core/formats/LineList.h"
#include "core/formats/TextLines.h"
#include "core/output/DryRunCount.h"
#include "core/services/Paths.h"
#include "core/services/Translate.h"
#include "platform/Unicode.h"

namespace talvex::exec {
namespace {

using options::Control;

std::string Quoted(std::string_view text) {
    std::string out = " \"";
    out += text;
    out += '"';
    return out;
}

// Storing the ready flag unchanged raises StateChangedFlag and nothing else.
void RaiseStateChanged(options::JobState& job) {
    job.setReadyFlag(job.readyFlag());
}

} // namespace

JobExecutor::JobExecutor(JobExecutorServices services) : m_services(std::move(services)) {}

JobExecutor::~JobExecutor() {
    // A child must not outlive the program that would have shown its output.
    if (m_run && m_run->running()) {
        m_run->terminate();
    }
    if (m_step) {
        m_step->terminate();
    }
}

std::string JobExecutor::temporaryJobFile() const {
    return JoinPath(m_services.settingsFolder, kTemporaryJobFileName);
}

platform::ChildWaitHandles JobExecutor::waitHandles() const {
    if ((m_phase == Phase::Robocopy || m_phase == Phase::Counting) && m_run) {
        return m_run->waitHandles();
    }
    if ((m_phase == Phase::Image || m_phase == Phase::Burn) && m_step) {
        return m_step->waitHandles();
    }
    return {};
}

void JobExecutor::OutputTap::appendLine(std::string_view text, LogColour colour) {
    // A counting pass keeps robocopy's lines out of the log, but not why it could not start.
    if (log != nullptr && (!quiet || colour != LogColour::Black)) {
        log->appendLine(text, colour);
    }
    if (colour != LogColour::Black) {
        return;
    }
    if (progress == nullptr && count == nullptr) {
        return;
    }
    reader.feedLine(text);
    for (const output::Event& event : reader.takeEvents()) {
        if (progress != nullptr) {
            progress->addEvent(event);
        }
        if (count != nullptr) {
            count->addEvent(event);
        }
    }
}

std::chrono::system_clock::duration JobExecutor::elapsed() const {
    return running() ? m_services.clock.now() - m_started : m_outcome.duration;
}

void JobExecutor::ExecuteJob(options::JobState& job, LogSink& log, JobMode jobMode, platform::ShowMode showMode,
                             RunOptions options) {
    std::string volumeDate = m_services.clock.shortDateText();
    if (running()) {
        try {
            stop();
        } catch (const std::exception&) {
            // The stop has been asked for; only its message was lost. The run goes on to its end.
        }
        return;
    }
    m_job = &job;
    m_log = &log;
    m_phase = Phase::Preparing;
    m_run.reset();
    m_step.reset();
    m_commandLine.clear();
    m_volumeDate = std::move(volumeDate);
    m_temporaryJob = false;
    m_error = false;
    m_stopped = false;
    m_options = options;
    m_showMode = showMode;
    m_deletions = {};
    m_progress = {};
    m_count.reset();
    m_tap = {};
    m_robocopyStarted = false;
    m_started = m_services.clock.now();
    m_outcome = RunOutcome{};
    m_outcome.job = &job;
    m_outcome.simulated = options.simulate;
    try {
        RaiseStateChanged(job);
        start(jobMode, showMode);
    } catch (const std::exception& e) {
        abort(e.what());
    }
}

bool JobExecutor::poll(int timeoutMs) {
    try {
        switch (m_phase) {
        case Phase::Idle:
        case Phase::Preparing:
        case Phase::Asking:
            break;
        case Phase::Counting:
            if (m_run->poll(timeoutMs) == ChildRun::State::Finished) {
                countingEnded();
            }
            break;
        case Phase::Robocopy:
            if (m_run->poll(timeoutMs) == ChildRun::State::Finished) {
                robocopyEnded();
            }
            break;
        case Phase::Image:
            if (!m_step->poll(timeoutMs)) {
                const bool succeeded = m_step->succeeded();
                m_step.reset();
                imageEnded(succeeded);
            }
            break;
        case Phase::Burn:
            if (!m_step->poll(timeoutMs)) {
                m_step.reset();
                finish();
            }
            break;
        }
    } catch (const std::exception& e) {
        abort(e.what());
    }
    return running();
}

void JobExecutor::stop() {
    bool requested = false;
    try {
        if ((m_phase == Phase::Robocopy || m_phase == Phase::Counting) && m_run) {
            requested = m_run->terminate();
        } else if (m_step) {
            requested = m_step->terminate();
        }
    } catch (const std::exception&) {
        requested = false;
    }
    // The messages go to the log of the run that is stopped, beside its output, whichever job
    // happens to be shown when Stop is pressed.
    if (requested) {
        m_stopped = true;
        m_log->appendLine(tr("Die Ausführung wurde abgebrochen."), LogColour::Red);
        m_log->appendLine("", LogColour::Black);
    } else {
        m_log->appendLine("", LogColour::Black);
        m_log->appendLine(tr("Die Ausführung konnte nicht abgebrochen werden."), LogColour::Red);
        m_log->appendLine("", LogColour::Black);
    }
}

void JobExecutor::start(JobMode jobMode, platform::ShowMode /*showMode*/) {
    if (m_options.simulate) {
        // A simulation runs the command line of the options whatever the job mode: it writes no
        // temporary job file that a real run might be waiting for.
        if (prepareCommandLine()) {
            m_deletions = FindDeletions(m_commandLine);
            m_commandLine = DryRunCommandLine(m_commandLine);
            m_count.emplace(m_job->sourcePath(), m_job->destinationPath());
            m_tap.count = &*m_count;
            runRobocopy();
            return;
        }
        finish();
        return;
    }
    bool ready = false;
    switch (jobMode) {
    case JobMode::CommandLine:
        ready = prepareCommandLine();
        break;
    case JobMode::TemporaryJobFile:
        m_temporaryJob = true;
        ready = prepareTemporaryJob();
        break;
    }
    if (ready) {
        const auto line = checkLine(jobMode);
        m_deletions = m_options.askBeforeDeleting && line ? FindDeletions(*line) : Deletions{};
        if (line && (m_deletions.any() || m_options.countFirst)) {
            startCounting(DryRunCommandLine(*line));
            return;
        }
        runRobocopy();
        return;
    }
    if (m_temporaryJob) {
        m_log->appendLine("", LogColour::Black);
    }
    considerImage();
}

bool JobExecutor::prepareCommandLine() {
    formats::WideLineList lines;
    if (const Status built = formats::BuildCommandLineW(*m_job, lines, m_services.formats); !built) {
        m_error = true;
        m_log->appendLine(tr("Bei der Erstellung des Jobs ist ein Fehler aufgetreten."), LogColour::Red);
        m_log->appendLine(built.reason(), LogColour::Red);
        m_log->appendLine("", LogColour::Black);
        return false;
    }
    m_commandLine = platform::Utf16ToUtf8(lines[1]);
    return true;
}

bool JobExecutor::prepareTemporaryJob() {
    const std::string file = temporaryJobFile();
    formats::LineList lines;
    if (const Status written = formats::WriteJobFile(*m_job, file, lines, *m_log, m_services.formats); !written) {
        m_error = true;
        m_log->appendLine(tr("Bei der Erstellung des Jobs ist ein Fehler aufgetreten."), LogColour::Red);
        m_log->appendLine(written.reason(), LogColour::Red);
        return false;
    }
    m_log->appendLine(tr("...erstellt."), LogColour::Black);
    if (!platform::EnsureFileDeleted(file, m_services.wait)) {
        m_error = true;
        m_log->appendLine(tr("Die Jobdatei besteht bereits und kann nicht gelöscht werden."), LogColour::Black);
        return false;
    }
    if (const Status saved = formats::SaveTextLines(file, lines); !saved) {
        m_error = true;
        m_log->appendLine(tr("Speichern des Jobs gescheitert."), LogColour::Blue);
        m_log->appendLine(saved.reason(), LogColour::Red);
        return false;
    }
    m_log->appendLine(tr("Temporärer Job gespeichert."), LogColour::Blue);

    // The folders the job file leaves out follow it, source first. The writer leaves a folder out
    // exactly when its box is set, so the same test decides here; a ticked but disabled box would
    // otherwise put the folder both into the file and onto the command line.
    m_commandLine = "RoboCopy /JOB:\"" + m_services.formats.toCodePagePath(file) + '"';
    if (m_job->IsOptionSet(Control::chb_PNoSD)) {
        m_commandLine += Quoted(m_services.formats.toCodePagePath(m_job->sourcePath()));
    }
    if (m_job->IsOptionSet(Control::chb_PNoDD)) {
        m_commandLine += Quoted(m_services.formats.toCodePagePath(m_job->destinationPath()));
    }
    return true;
}

std::optional<std::string> JobExecutor::checkLine(JobMode jobMode) const {
    if (jobMode == JobMode::CommandLine) {
        return m_commandLine;
    }
    // A temporary job file holds the switches; the command line of the same options tells what
    // the run would delete, and counts it without touching that file.
    formats::WideLineList lines;
    if (!formats::BuildCommandLineW(*m_job, lines, m_services.formats)) {
        return std::nullopt;
    }
    return platform::Utf16ToUtf8(lines[1]);
}

void JobExecutor::startCounting(const std::string& commandLine) {
    m_log->appendLine(tr("Vorab wird mit /L gezählt, was der Job tun würde:"), LogColour::Blue);
    m_log->appendLine(commandLine, LogColour::Blue);
    m_count.emplace(m_job->sourcePath(), m_job->destinationPath());
    m_tap.count = &*m_count;
    m_tap.log = m_log;
    m_tap.quiet = true;
    m_run.emplace(m_services.process, m_tap);
    m_phase = Phase::Counting;
    // Its output is only counted: it is read as 8-bit text, since the line leaves /UNICODE out.
    if (!m_run->start(commandLine, OutputEncoding::CodePage, platform::ChildStartOptions{})) {
        countingEnded();
    }
}

void JobExecutor::countingEnded() {
    m_run.reset();
    m_tap = {};
    if (m_stopped) {
        m_log->appendLine(tr("Ausführung beendet."), LogColour::Blue);
        m_log->appendLine("", LogColour::Black);
        finish();
        return;
    }
    const output::DryRunSummary& summary = m_count->summary();
    m_progress.setTotals(summary.files, summary.bytes);
    const std::string question = DeletionQuestion(summary, m_deletions);
    if (!question.empty()) {
        m_log->appendLine(question, LogColour::Red);
        m_phase = Phase::Asking;
        const std::vector<std::string>& names =
            m_deletions.atDestination && summary.extraFiles + summary.extraFolders > 0 ? summary.extraNames
                                                                                       : summary.copiedNames;
        const bool goOn = m_services.questions != nullptr && m_services.questions->confirmDeletion(question, names);
        if (!goOn) {
            m_log->appendLine(tr("Nicht ausgeführt: es wurde nichts gelöscht."), LogColour::Red);
            m_log->appendLine("", LogColour::Black);
            finish();
            return;
        }
    }
    runRobocopy();
}

void JobExecutor::runRobocopy() {
    m_log->appendLine(m_options.simulate ? tr("Simulation des Jobs mit /L: es wird nichts verändert.")
                                         : tr("Ausführen eines Jobs mit den aktuellen Einstellungen:"),
                      LogColour::Blue);
    m_log->appendLine("", LogColour::Black);
    m_log->appendLine(m_commandLine, LogColour::Blue);
    // A simulation's line leaves /UNICODE out.
    const OutputEncoding encoding = m_job->IsOptionSet(Control::chb_LUNICODE) && !m_options.simulate
                                        ? OutputEncoding::Utf16Le
                                        : OutputEncoding::CodePage;
    m_tap.log = m_log;
    m_tap.quiet = false;
    m_tap.progress = &m_progress;
    m_run.emplace(m_services.process, m_tap);
    m_phase = Phase::Robocopy;
    platform::ChildStartOptions options;
    options.showMode = m_options.simulate ? platform::ShowMode::Hidden : m_showMode;
    // A robocopy that cannot be started has been reported in red; the run counts as finished.
    m_robocopyStarted = m_run->start(m_commandLine, encoding, options);
    if (!m_robocopyStarted) {
        robocopyEnded();
    }
}

void JobExecutor::robocopyEnded() {
    const std::optional<int> exitCode = m_robocopyStarted ? m_run->exitCode() : std::nullopt;
    const bool stopped = m_robocopyStarted && m_run->stopped();
    m_run.reset();
    m_progress.finish();
    m_tap = {};
    m_outcome.ran = m_robocopyStarted;
    m_outcome.exitCode = exitCode;
    m_outcome.result = DescribeRun(exitCode, stopped);
    m_log->appendLine("", LogColour::Black);
    m_log->appendLine(tr("Ausführung beendet."), LogColour::Blue);
    if (m_options.simulate && m_count && !stopped) {
        m_outcome.simulation = SimulationSummary(m_count->summary(), m_deletions);
        m_log->appendLine(m_outcome.simulation, LogColour::Blue);
    }
    m_log->appendLine(ResultLogLine(m_outcome.result, exitCode), ColourOf(m_outcome.result.severity));
    m_log->appendLine("", LogColour::Black);
    if (m_options.simulate) {
        finish();
        return;
    }
    if (m_temporaryJob) {
        m_log->appendLine("", LogColour::Black);
    }
    considerImage();
}

void JobExecutor::considerImage() {
    // Whatever robocopy's exit code, its copy is what there is to image. After a Stop, though, the
    // destination is incomplete: imaging and burning it would waste a disc on a partial copy.
    if (m_error || m_stopped || !m_job->isTicked(Control::chb_IIMG)) {
        finish();
        return;
    }
    ImageRequest request;
    request.mkisofs = m_job->text(Control::edt_Imkisofs);
    request.folder = m_job->destinationPath();
    request.imageFile = m_job->text(Control::edt_IImage);
    request.volumeLabel = m_volumeDate;
    m_phase = Phase::Image;
    m_step = m_services.media.startImage(request, *m_log);
    if (!m_step) {
        imageEnded(false);
    }
}

void JobExecutor::imageEnded(bool succeeded) {
    if (!succeeded || m_stopped || !m_job->isTicked(Control::chb_IBurn)) {
        finish();
        return;
    }
    BurnRequest request;
    request.imageFile = m_job->text(Control::edt_IImage);
    request.burner = m_job->text(Control::edt_IBrenner);
    request.speed = m_job->text(Control::edt_ISpeed);
    m_phase = Phase::Burn;
    m_step = m_services.media.startBurn(request, *m_log);
    if (!m_step) {
        finish();
    }
}

void JobExecutor::finish() {
    // Everything is reset before the job hears of it, so that whatever it sets off may start the
    // next run at once.
    options::JobState* job = std::exchange(m_job, nullptr);
    m_outcome.duration = m_services.clock.now() - m_started;
    m_log = nullptr;
    m_phase = Phase::Idle;
    m_run.reset();
    m_step.reset();
    m_tap = {};
    RaiseStateChanged(*job);
}

void JobExecutor::abort(const char* reason) {
    // Nothing polls the run any more, so its child is stopped; and the mark is cleared in any
    // case, or Start would only ever try to stop a run that no longer exists.
    try {
        if (m_run && m_run->running()) {
            m_run->terminate();
        }
        if (m_step) {
            m_step->terminate();
        }
        if (m_log != nullptr) {
            m_log->appendLine(reason, LogColour::Red);
        }
    } catch (const std::exception&) {
        // The mark must be cleared even when the log fails too.
    }
    options::JobState* job = std::exchange(m_job, nullptr);
    m_log = nullptr;
    m_phase = Phase::Idle;
    m_run.reset();
    m_step.reset();
    m_tap = {};
    try {
        if (job != nullptr) {
            RaiseStateChanged(*job);
        }
    } catch (const std::exception&) {
        // As above.
    }
}

void RunJobToEnd(JobExecutor& executor, options::JobState& job, LogSink& log, JobMode jobMode,
                 platform::ShowMode showMode, int pollMs) {
    executor.ExecuteJob(job, log, jobMode, showMode);
    while (executor.poll(pollMs)) {
    }
}

} // namespace talvex::exec
