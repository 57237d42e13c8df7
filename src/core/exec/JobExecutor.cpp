// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exec/JobExecutor.h"

#include <exception>
#include <utility>

#include "core/formats/CommandLineBuilder.h"
#include "core/formats/JobFileWriter.h"
#include "core/formats/LineList.h"
#include "core/formats/TextLines.h"
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
    if (m_phase == Phase::Robocopy && m_run) {
        return m_run->waitHandles();
    }
    if ((m_phase == Phase::Image || m_phase == Phase::Burn) && m_step) {
        return m_step->waitHandles();
    }
    return {};
}

void JobExecutor::ExecuteJob(options::JobState& job, LogSink& log, JobMode jobMode, platform::ShowMode showMode) {
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
        if (m_phase == Phase::Robocopy && m_run) {
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

void JobExecutor::start(JobMode jobMode, platform::ShowMode showMode) {
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
        runRobocopy(showMode);
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

void JobExecutor::runRobocopy(platform::ShowMode showMode) {
    m_log->appendLine(tr("Ausführen eines Jobs mit den aktuellen Einstellungen:"), LogColour::Blue);
    m_log->appendLine("", LogColour::Black);
    m_log->appendLine(m_commandLine, LogColour::Blue);
    const OutputEncoding encoding =
        m_job->IsOptionSet(Control::chb_LUNICODE) ? OutputEncoding::Utf16Le : OutputEncoding::CodePage;
    m_run.emplace(m_services.process, *m_log);
    m_phase = Phase::Robocopy;
    platform::ChildStartOptions options;
    options.showMode = showMode;
    // A robocopy that cannot be started has been reported in red; the run counts as finished.
    if (!m_run->start(m_commandLine, encoding, options)) {
        robocopyEnded();
    }
}

void JobExecutor::robocopyEnded() {
    m_run.reset();
    m_log->appendLine("", LogColour::Black);
    m_log->appendLine(tr("Ausführung beendet."), LogColour::Blue);
    m_log->appendLine("", LogColour::Black);
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
    m_log = nullptr;
    m_phase = Phase::Idle;
    m_run.reset();
    m_step.reset();
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
