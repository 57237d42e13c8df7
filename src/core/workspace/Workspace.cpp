// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/workspace/Workspace.h"

#include <exception>
#include <filesystem>
#include <system_error>
#include <utility>

#include "core/formats/JobFileReader.h"
#include "core/formats/JobFileWriter.h"
#include "core/formats/TextLines.h"
#include "core/services/AsciiCase.h"
#include "core/services/Format.h"
#include "core/services/Translate.h"
#include "core/workspace/BatchReader.h"
#include "core/workspace/BatchWriter.h"
#include "core/workspace/LogLines.h"
#include "platform/Files.h"
#include "platform/PathQueries.h"
#include "platform/PathText.h"

namespace talvex::workspace {

namespace {

constexpr const char* kMessageCaption = "Talvex";

FileFilter Filter(const char* description, const char* pattern) {
    return FileFilter{tr(description) + Format(" (%s)", {pattern}), {pattern}};
}

std::vector<FileFilter> SingleJobFilters() {
    return {Filter(N_("Robocopy Job-Dateien"), "*.rcj"), Filter(N_("Robocopy Batch/Job-Dateien"), "*.bat"),
            Filter(N_("Robocopy Commandline-Dateien"), "*.cmd")};
}

std::vector<FileFilter> OpenFilters() {
    std::vector<FileFilter> filters = SingleJobFilters();
    filters.push_back({tr("Unterstützte Dateien") + " (*.rcj, *.bat, *.cmd)", {"*.rcj", "*.bat", "*.cmd"}});
    filters.push_back(Filter(N_("Alle Dateien"), "*.*"));
    return filters;
}

ScriptKind KindOfSaveFilter(int filter) {
    switch (filter) {
    case 1:
        return ScriptKind::JobBatch;
    case 2:
        return ScriptKind::CommandBatch;
    default:
        return ScriptKind::JobFile;
    }
}

// The extension a type chosen in Save As gives the file name.
std::string_view ExtensionOf(ScriptKind kind) {
    switch (kind) {
    case ScriptKind::JobBatch:
        return ".bat";
    case ScriptKind::CommandBatch:
        return ".cmd";
    default:
        return ".rcj";
    }
}

} // namespace

Workspace::Workspace(WorkspaceServices services, JobList::LogFactory logFactory)
    : m_services(std::move(services)), m_settings(m_services.store),
      m_jobs(m_services.environment, std::move(logFactory)) {
    initDefaultJobMenu();
    NewJob();
}

// ---- the job list ----------------------------------------------------------------------------

JobEntry& Workspace::NewJob() {
    m_jobs.NewJob();
    if (m_defaultMenu.newWithDefaultsChecked) {
        LoadDefaultJob(true);
    }
    return m_jobs.current();
}

void Workspace::SelectJob(std::size_t index) {
    if (index >= m_jobs.size()) {
        return;
    }
    m_jobs.select(index);
    const std::string& file = current().job->jobFilePath();
    m_services.paths.writePath("Job", "Path",
                               ExcludeTrailingSeparator(FolderPart(file, m_services.style), m_services.style));
}

void Workspace::CloseJob() {
    if (m_jobs.removeCurrent()) {
        SelectJob(0);
    }
}

void Workspace::CloseAllJobs() {
    m_jobs.clear();
    NewJob();
}

CommandStates Workspace::commandStates() const {
    const options::JobState& job = *m_jobs.current().job;
    return {job.modifiedFlag(), job.modifiedFlag() || job.saveAsFlag(), m_jobs.size() >= 2};
}

// ---- open ------------------------------------------------------------------------------------

void Workspace::New() {
    NewJob();
}

std::string Workspace::dialogFolder() const {
    return m_services.paths.dialogFolder("Job", "Path", m_services.documentsFolder);
}

bool Workspace::Open() {
    FileDialogRequest request;
    request.title = tr("Eine JOB-Datei öffnen.");
    request.initialFolder = dialogFolder();
    request.filters = OpenFilters();
    const std::optional<FileDialogResult> choice = m_services.ui.chooseFileToOpen(request);
    if (!choice || choice->path.empty()) {
        return false;
    }
    return OpenFile(choice->path);
}

bool Workspace::reuseOrCreateJob() {
    const JobEntry& entry = current();
    if (m_jobs.tabCaption(static_cast<std::size_t>(m_jobs.CurrentJob())) == "*.rcj" && !entry.job->modifiedFlag()) {
        return false;
    }
    NewJob();
    return true;
}

bool Workspace::OpenFile(const std::string& path) {
    // A name from the command line or a drop may name no readable file: say why and open no tab,
    // rather than a tab that calls the file "not supported".
    if (const Result<formats::LineList> readable = formats::LoadTextLines(path); !readable) {
        m_services.ui.showMessage(MessageKind::Error, kMessageCaption, readable.reason(), Buttons::Ok);
        return false;
    }
    if (!AlreadyOpen(path)) {
        return false;
    }
    reuseOrCreateJob();
    JobEntry& entry = current();
    options::JobState& job = *entry.job;
    job.setJobFilePath(path);
    job.setJobReferencePath("");
    entry.Kind = DetectScriptKind(path);
    entry.Number = 0;
    m_services.paths.writePath("Job", "Path",
                               ExcludeTrailingSeparator(FolderPart(path, m_services.style), m_services.style));
    LogSink& out = *entry.log;
    LogHeading(out, tr("Job laden"));
    LogFileName(out, path);
    LogEmptyLine(out);
    if (entry.Kind == ScriptKind::Unknown) {
        const std::string text = tr("Die Datei wird nicht unterstützt.");
        out.appendLine(text, LogColour::Red);
        LogEmptyLine(out);
        m_services.ui.showMessage(MessageKind::Error, kMessageCaption, text, Buttons::Ok);
        return false;
    }
    readByKind(entry);
    current().job->refreshCaption();
    m_services.paths.RememberScript(path);
    m_jobs.showFirstPage();
    return true;
}

void Workspace::readByKind(JobEntry& entry) {
    const std::string path = entry.job->jobFilePath();
    switch (entry.Kind) {
    case ScriptKind::JobFile:
    case ScriptKind::DefaultJob:
        LoadJobFile();
        return;
    case ScriptKind::JobBatch:
        OpenJobBatch(*this, path);
        return;
    case ScriptKind::CommandBatch:
        OpenCommandBatch(*this, path);
        return;
    case ScriptKind::MultiJobBatch:
        OpenMultiJobBatch(*this, path);
        return;
    case ScriptKind::MultiCommandBatch:
        OpenMultiCommandBatch(*this, path);
        return;
    case ScriptKind::Unknown:
        return;
    }
}

void Workspace::OpenRecent(const std::string& path) {
    (void)OpenFile(path); // a failure is in the job's log already
}

void Workspace::LoadJobFile() {
    JobEntry& entry = current();
    options::JobState& job = *entry.job;
    LogSink& out = *entry.log;
    if (const Status read = ReadJobFileAt(job, job.jobFilePath(), true, out, m_services.formats); read) {
        out.appendLine(tr("...geladen."), LogColour::Green);
        job.SetJobFlags(job.computeReady(), true, false);
    } else {
        out.appendLine(tr("Beim Lesen der Datei sind Fehler aufgetreten."), LogColour::Black);
        LogReason(out, read);
        job.SetJobFlags(false, false, false);
    }
    LogEmptyLine(out);
}

bool Workspace::AlreadyOpen(const std::string& path) {
    bool result = true;
    for (std::size_t i = 0; i < m_jobs.size(); ++i) {
        if (!EqualsIgnoringAsciiCase(m_jobs.at(i).job->jobFilePath(), path)) {
            continue;
        }
        const std::string text = FitMessageAndPath(tr("Die Datei ist bereits geöffnet. Trotzdem laden?"), path, 350,
                                                   m_services.measurer, m_services.style);
        if (m_services.ui.showMessage(MessageKind::Question, kMessageCaption, text, Buttons::YesNo) != Answer::Yes) {
            result = false;
            SelectJob(i);
        }
    }
    return result;
}

// ---- save and close --------------------------------------------------------------------------

bool Workspace::ConfirmDiscard() {
    const Answer answer = m_services.ui.showMessage(
        MessageKind::Question, kMessageCaption, tr("Der Job wurde geändert. Sollen die Änderungen gespeichert werden?"),
        Buttons::YesNoCancel);
    if (answer == Answer::Yes) {
        return SaveJob(false);
    }
    return answer == Answer::No;
}

bool Workspace::SaveJob(bool saveAs) {
    JobEntry& entry = current();
    options::JobState& job = *entry.job;
    // An unrecognised file would be overwritten in a layout it never had.
    if ((job.jobFilePath().empty() && job.jobReferencePath().empty()) || entry.Kind == ScriptKind::Unknown) {
        saveAs = true;
    }
    bool copyRobocopy = false;
    // A Save As that writes nothing must leave the job where it was: its name, tab and layout.
    const ScriptKind oldKind = entry.Kind;
    const unsigned oldNumber = entry.Number;
    const std::string oldPath = job.jobFilePath();
    const std::string oldReference = job.jobReferencePath();
    if (saveAs) {
        FileDialogRequest request;
        request.title = tr("Einstellungen speichern.");
        request.initialFolder = dialogFolder();
        request.filters = SingleJobFilters();
        request.optionLabel = tr("Robocopy mitspeichern.");
        request.optionChecked = m_settings.copyRobocopy();
        request.confirmOverwrite = true;
        const std::optional<FileDialogResult> choice = m_services.ui.chooseFileToSave(request);
        if (!choice) {
            return false;
        }
        copyRobocopy = choice->optionChecked;
        entry.Kind = KindOfSaveFilter(choice->selectedFilter);
        entry.Number = 0;
        // Only a type chosen here decides the extension: a plain save writes back to the file that was
        // opened, whatever its name ("run.bat" holding a command line stays "run.bat").
        job.setJobFilePath(ForceExtension(choice->path, ExtensionOf(entry.Kind), m_services.style));
        job.setJobReferencePath("");
        job.setSaveAsFlag(job.saveAsFlag()); // raises the state-changed flag for the buttons
        m_settings.setCopyRobocopy(copyRobocopy);
    }
    if (job.jobFilePath().empty()) {
        return false;
    }
    LogSink& out = *entry.log;
    LogHeading(out, tr("Job speichern"));
    Status saved;
    try {
        saved = writeByKind(entry);
        if (saved) {
            m_services.paths.RememberScript(job.jobFilePath());
            job.setSaveAsFlag(true);
            if (copyRobocopy) {
                copyRobocopyBeside(job.jobFilePath());
            }
        }
    } catch (const std::exception& exception) {
        saved = Error::FromException(exception);
    }
    if (!saved) {
        if (saveAs) {
            entry.Kind = oldKind;
            entry.Number = oldNumber;
            job.setJobFilePath(oldPath);
            job.setJobReferencePath(oldReference);
            job.setSaveAsFlag(job.saveAsFlag());
        }
        reportSaveFailure(out, saved);
    }
    return static_cast<bool>(saved);
}

Status Workspace::writeByKind(JobEntry& entry) {
    const SaveServices services = saveServices();
    switch (entry.Kind) {
    case ScriptKind::JobFile:
    case ScriptKind::DefaultJob: // a default job opened as a file is a job file all the same
        return SaveJobFile(entry, services);
    case ScriptKind::JobBatch:
        return SaveJobBatch(entry, services);
    case ScriptKind::CommandBatch:
        return SaveCommandBatch(entry, services);
    case ScriptKind::MultiJobBatch:
        return UpdateMultiJobBatch(entry, services);
    case ScriptKind::MultiCommandBatch:
        return UpdateMultiCommandBatch(entry, services);
    case ScriptKind::Unknown:
        break;
    }
    return Error{tr("Die Datei wird nicht unterstützt.")};
}

SaveServices Workspace::saveServices() {
    return {m_services.formats, m_services.files != nullptr ? *m_services.files : m_systemFiles, m_services.style};
}

// The log may be out of sight (another job's window, a scrolled view), and a job the user believes
// saved is lost on exit, so a failed write is also shown in a message box.
void Workspace::reportSaveFailure(LogSink& log, const Status& status) {
    log.appendLine(tr("Beim Schreiben der Datei ist ein Fehler aufgetreten."), LogColour::Red);
    LogReason(log, status);
    m_services.ui.showMessage(
        MessageKind::Error, kMessageCaption,
        Format(tr("Beim Schreiben der Datei ist ein Fehler aufgetreten.\n\n%s"), {status.reason()}), Buttons::Ok);
}

void Workspace::copyRobocopyBeside(const std::string& jobFile) {
    LogSink& out = log();
    const PathStyle style = m_services.style;
    const std::string target =
        JoinPath(ExcludeTrailingSeparator(FolderPart(jobFile, style), style), kRobocopyFileName, style);
    if (platform::IsRegularFile(target)) {
        out.appendLine(tr("Im Jobverzeichnis existiert bereits eine RoboCopy.exe."), LogColour::Black);
        return;
    }
    std::string source = JoinPath(m_services.paths.settingsFolder(), kRobocopyFileName, style);
    for (std::size_t i = 0; !platform::IsRegularFile(source) && i < m_services.systemFolders.size(); ++i) {
        source = JoinPath(m_services.systemFolders[i], kRobocopyFileName, style);
    }
    std::error_code error;
    if (platform::IsRegularFile(source) &&
        std::filesystem::copy_file(platform::PathFromUtf8(source), platform::PathFromUtf8(target),
                                   std::filesystem::copy_options::none, error)) {
        out.appendLine(tr("Die Robocopy.exe wurde in das Jobverzeichnis kopiert."), LogColour::Black);
    } else {
        out.appendLine(tr("Die Robocopy.exe konnte nicht in das Jobverzeichnis kopiert werden."), LogColour::Black);
    }
}

void Workspace::SaveAllJobs() {
    FileDialogRequest request;
    request.title = tr("Einstellungen speichern.");
    request.initialFolder = dialogFolder();
    request.filters = {Filter(N_("Robocopy Batch/Job-Dateien"), "*.bat"),
                       Filter(N_("Robocopy Commandline-Dateien"), "*.cmd")};
    request.optionLabel = tr("Robocopy mitspeichern.");
    request.confirmOverwrite = true;
    const std::optional<FileDialogResult> choice = m_services.ui.chooseFileToSave(request);
    if (!choice || choice->path.empty()) {
        return;
    }
    const ScriptKind kind = choice->selectedFilter == 1 ? ScriptKind::MultiCommandBatch : ScriptKind::MultiJobBatch;
    for (std::size_t n = 0; n < m_jobs.size(); ++n) {
        JobEntry& entry = m_jobs.at(n);
        entry.job->setSaveAsFlag(true);
        entry.Kind = kind;
        entry.Number = static_cast<unsigned>(n);
        entry.job->setJobFilePath(choice->path);
    }
    const Status saved = kind == ScriptKind::MultiJobBatch ? SaveMultiJobBatch(*this) : SaveMultiCommandBatch(*this);
    if (!saved) {
        // Nothing on disk: the file is neither offered as recent nor given a copy of robocopy.
        reportSaveFailure(log(), saved);
        return;
    }
    const std::string file = current().job->jobFilePath();
    m_services.paths.RememberScript(file);
    if (choice->optionChecked) {
        copyRobocopyBeside(file);
    }
}

void Workspace::Close() {
    if (current().job->modifiedFlag() && !ConfirmDiscard()) {
        return;
    }
    if (m_jobs.size() == 1) {
        CloseAllJobs();
    } else {
        CloseJob();
    }
}

bool Workspace::Exit() {
    bool stay = false;
    for (std::size_t i = 0; i < m_jobs.size(); ++i) {
        if (!m_jobs.at(i).job->modifiedFlag()) {
            continue;
        }
        SelectJob(i);
        if (!ConfirmDiscard()) {
            stay = true;
        }
    }
    return !stay;
}

// ---- the default job -------------------------------------------------------------------------

std::string Workspace::defaultJobPath() const {
    return JoinPath(m_services.paths.settingsFolder(), kDefaultJobFileName, m_services.style);
}

void Workspace::initDefaultJobMenu() {
    const bool exists = platform::IsRegularFile(defaultJobPath());
    m_defaultMenu.loadEnabled = exists;
    m_defaultMenu.deleteEnabled = exists;
    m_defaultMenu.newWithDefaultsEnabled = exists;
    m_defaultMenu.newWithDefaultsChecked = exists && m_settings.newWithDefaults();
}

void Workspace::SaveDefaultJob() {
    JobEntry& entry = current();
    LogSink& out = *entry.log;
    const std::string path = defaultJobPath();
    out.appendLine(tr("Voreinstellungen speichern."), LogColour::Black);
    formats::LineList lines;
    Status saved = formats::WriteJobFile(*entry.job, path, lines, out, m_services.formats);
    if (saved) {
        out.appendLine(tr("...erstellt."), LogColour::Green);
        saved = formats::SaveTextLines(path, lines, saveServices().io);
        if (saved) {
            out.appendLine(tr("Die Voreinstellungen wurden gespeichert."), LogColour::Blue);
            entry.job->setModifiedFlag(false);
        } else {
            out.appendLine(tr("Speichern des Jobs gescheitert."), LogColour::Black);
        }
    }
    if (!saved) {
        reportSaveFailure(out, saved);
    }
    LogEmptyLine(out);
    // Hidden by its name on POSIX ("~" sorts it away from the settings); Windows sets the attribute.
    const bool exists = platform::IsRegularFile(path);
    m_defaultMenu.loadEnabled = exists;
    m_defaultMenu.deleteEnabled = exists;
    m_defaultMenu.newWithDefaultsEnabled = true;
    m_defaultMenu.newWithDefaultsChecked = true;
}

void Workspace::LoadDefaultJob(bool silent) {
    if (current().job->modifiedFlag() && !ConfirmDiscard()) {
        return;
    }
    JobEntry& entry = current();
    options::JobState& job = *entry.job;
    LogSink& out = *entry.log;
    const std::string path = defaultJobPath();
    if (platform::IsRegularFile(path) && DetectScriptKind(path) == ScriptKind::DefaultJob) {
        out.appendLine(tr("Voreinstellungen laden."), LogColour::Black);
        LogEmptyLine(out);
        if (!silent) {
            out.appendLine(tr("Einstellungen zurückgesetzt."), LogColour::Red);
            LogEmptyLine(out);
        }
        bool ready = false;
        if (const Status read = ReadJobFileAt(job, path, false, out, m_services.formats); read) {
            if (!silent) {
                out.appendLine(tr("...geladen."), LogColour::Green);
            }
            ready = job.computeReady();
        } else {
            out.appendLine(tr("Beim Lesen der Datei sind Fehler aufgetreten."), LogColour::Black);
            LogReason(out, read);
        }
        job.SetJobFlags(ready, false, false);
        LogEmptyLine(out);
    }
    job.setModifiedFlag(false);
    m_jobs.showFirstPage();
}

void Workspace::DeleteDefaultJob() {
    LogSink& out = log();
    out.appendLine(tr("Voreinstellungen löschen."), LogColour::Black);
    const Answer answer =
        m_services.ui.showMessage(MessageKind::Question, kMessageCaption,
                                  tr("Sollen die Voreinstellungen\r\nwirklich gelöscht werden?"), Buttons::YesNo);
    if (answer != Answer::Yes) {
        out.appendLine(tr("Der Vorgang wurde abgebrochen."), LogColour::Red);
        LogEmptyLine(out);
        return;
    }
    if (platform::EnsureFileDeleted(defaultJobPath())) {
        out.appendLine(tr("Die Voreinstellungen wurden gelöscht."), LogColour::Blue);
    } else {
        out.appendLine(tr("Die Voreinstellungen konnten nicht gelöscht werden."), LogColour::Red);
    }
    LogEmptyLine(out);
    // Offering to load or delete a file that is gone would only lead to nothing happening.
    const bool checked = m_defaultMenu.newWithDefaultsChecked;
    initDefaultJobMenu();
    m_defaultMenu.newWithDefaultsChecked = checked && m_defaultMenu.newWithDefaultsEnabled;
}

void Workspace::ToggleNewWithDefaults() {
    m_defaultMenu.newWithDefaultsChecked = !m_defaultMenu.newWithDefaultsChecked;
    m_settings.setNewWithDefaults(m_defaultMenu.newWithDefaultsChecked);
}

} // namespace talvex::workspace
