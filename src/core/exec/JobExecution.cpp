// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exec/JobExecution.h"

#include <filesystem>
#include <system_error>

#include "core/formats/CommandLineBuilder.h"
#include "core/formats/FormatServices.h"
#include "core/formats/JobFileWriter.h"
#include "core/formats/LineList.h"
#include "core/formats/TextLines.h"
#include "core/options/JobState.h"
#include "core/presentation/Format.h"
#include "core/presentation/Translate.h"
#include "core/services/LogSink.h"
#include "platform/Unicode.h"

namespace talvex::exec {

namespace {

using options::Control;

bool FileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

} // namespace

JobExecution::JobExecution(platform::ChildProcess& process, const formats::FormatServices& formats, platform::Wait wait)
    : m_process(process), m_formats(formats), m_wait(std::move(wait)) {}

bool JobExecution::start(const options::JobState& job, LogSink& log, const RunModes& modes,
                         const std::string& temporaryJobFile) {
    m_log = &log;
    m_error = false;
    m_jobMode = modes.jobMode;
    m_showMode = modes.showMode;
    m_run.reset();
    if (m_jobMode != 0 && m_jobMode != 1) {
        return false;
    }
    const std::optional<std::string> commandLine = prepareCommandLine(job, temporaryJobFile);
    if (!commandLine) {
        m_error = true;
        if (m_jobMode == 1) {
            log.appendLine("", LogColour::Black);
        }
        return false;
    }
    return run(job, *commandLine);
}

std::optional<std::string> JobExecution::prepareCommandLine(const options::JobState& job,
                                                            const std::string& temporaryJobFile) {
    LogSink& log = *m_log;
    if (m_jobMode == 0) {
        formats::WideLineList lines;
        if (!formats::BuildCommandLineW(job, lines, m_formats) || lines.size() < 2) {
            log.appendLine(tr("Bei der Erstellung des Jobs ist ein Fehler aufgetreten."), LogColour::Red);
            log.appendLine("", LogColour::Black);
            return std::nullopt;
        }
        return platform::Utf16ToUtf8(lines[1]);
    }

    formats::LineList lines;
    if (!formats::WriteJobFile(job, temporaryJobFile, lines, log, m_formats)) {
        return std::nullopt;
    }
    log.appendLine(tr("...erstellt."), LogColour::Black);
    if (!platform::EnsureFileDeleted(temporaryJobFile, m_wait)) {
        log.appendLine(tr("Die Jobdatei besteht bereits und kann nicht gelöscht werden."), LogColour::Black);
        return std::nullopt;
    }
    if (formats::SaveTextLines(temporaryJobFile, lines) || !FileExists(temporaryJobFile)) {
        log.appendLine(tr("Speichern des Jobs gescheitert."), LogColour::Blue);
        return std::nullopt;
    }
    log.appendLine(tr("Temporärer Job gespeichert."), LogColour::Blue);

    // A folder the job file leaves out has to follow on the command line.
    const std::string jobFile = m_formats.toCodePagePath(temporaryJobFile);
    std::string commandLine = Format("RoboCopy /JOB:\"%s\"", {jobFile});
    if (job.IsOptionSet(Control::chb_PNoSD)) {
        commandLine += Format(" \"%s\"", {m_formats.toCodePagePath(job.sourcePath())});
    }
    if (job.IsOptionSet(Control::chb_PNoDD)) {
        commandLine += Format(" \"%s\"", {m_formats.toCodePagePath(job.destinationPath())});
    }
    return commandLine;
}

bool JobExecution::run(const options::JobState& job, const std::string& commandLine) {
    LogSink& log = *m_log;
    log.appendLine(tr("Ausführen eines Jobs mit den aktuellen Einstellungen:"), LogColour::Blue);
    log.appendLine("", LogColour::Black);
    log.appendLine(commandLine, LogColour::Blue);
    const OutputEncoding encoding =
        job.IsOptionSet(Control::chb_LUNICODE) ? OutputEncoding::Utf16Le : OutputEncoding::CodePage;
    m_run.emplace(m_process, log);
    if (!m_run->start(commandLine, encoding, {m_showMode, {}})) {
        logEnd();
        return false;
    }
    return true;
}

ChildRun::State JobExecution::poll(int timeoutMs) {
    if (!m_run || !m_run->running()) {
        return ChildRun::State::Idle;
    }
    const ChildRun::State state = m_run->poll(timeoutMs);
    if (state == ChildRun::State::Finished) {
        logEnd();
    }
    return state;
}

void JobExecution::logEnd() {
    LogSink& log = *m_log;
    log.appendLine("", LogColour::Black);
    log.appendLine(tr("Ausführung beendet."), LogColour::Blue);
    log.appendLine("", LogColour::Black);
    if (m_jobMode == 1) {
        log.appendLine("", LogColour::Black);
    }
}

void JobExecution::stop() {
    if (m_log == nullptr) {
        return;
    }
    if (m_run && m_run->terminate()) {
        m_log->appendLine(tr("Die Ausführung wurde abgebrochen."), LogColour::Red);
        m_log->appendLine("", LogColour::Black);
    } else {
        m_log->appendLine("", LogColour::Black);
        m_log->appendLine(tr("Die Ausführung konnte nicht abgebrochen werden."), LogColour::Red);
        m_log->appendLine("", LogColour::Black);
    }
}

} // namespace talvex::exec
