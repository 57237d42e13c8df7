// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/workspace/BatchWriter.h"

#include <exception>
#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

#include "core/formats/CommandLineBuilder.h"
#include "core/formats/JobFileWriter.h"
#include "core/formats/Text.h"
#include "core/formats/TextLines.h"
#include "core/services/AsciiCase.h"
#include "core/services/Format.h"
#include "core/services/Translate.h"
#include "core/settings/PathSettings.h"
#include "core/workspace/CommandLineReader.h"
#include "core/workspace/LogLines.h"
#include "core/workspace/Workspace.h"

namespace talvex::workspace {

namespace {

using C = options::Control;
using formats::LineList;

// The job file beside a batch file: its reference path, made to end in ".rcj".
std::string ReferencePath(const options::JobState& job, std::string_view fallback, PathStyle style) {
    if (job.jobReferencePath().empty()) {
        return std::string(fallback);
    }
    return ForceExtension(job.jobReferencePath(), ".rcj", style);
}

// Renders and writes a job file; logs as the batch writers do. True when it is on disk.
bool WriteJobFileTo(const options::JobState& job, const std::string& path, LogSink& log,
                    const formats::FormatServices& services) {
    LineList lines;
    if (!formats::WriteJobFile(job, path, lines, log, services)) {
        return false;
    }
    log.appendLine(tr("...erstellt."), LogColour::Green);
    LogEmptyLine(log);
    if (!SaveLines(path, lines, log)) {
        log.appendLine(tr("Speichern des Jobs gescheitert."), LogColour::Blue);
        return false;
    }
    log.appendLine(Format(tr("Job unter %s gespeichert."), {path}), LogColour::Blue);
    LogEmptyLine(log);
    return true;
}

// The robocopy line of a command-line batch: line 1 of the built command line, "%" doubled.
std::optional<std::string> CommandBatchLine(const options::JobState& job, LogSink& log,
                                            const formats::FormatServices& services, std::string* header) {
    LineList lines;
    if (!formats::BuildCommandLine(job, lines, log, services) || lines.size() < 2) {
        return std::nullopt;
    }
    if (header != nullptr) {
        *header = lines[0];
    }
    return EscapeBatchPercent(lines[1]);
}

std::string RemJobLine(std::size_t number) {
    return Format("REM Job %d", {std::to_string(number)});
}

// The "CALL robocopy" line after "REM Job <number>" in a multi-job file, or nothing.
std::optional<std::size_t> FindCallLine(const LineList& lines, unsigned number) {
    const std::string rem = RemJobLine(number);
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        if (formats::TrimBlanks(lines[i]) == rem) {
            if (AsciiLower(lines[i + 1]).find("call robocopy") != std::string::npos) {
                return i + 1;
            }
            return std::nullopt;
        }
    }
    return std::nullopt;
}

// Loads a multi-job file and finds the job's line; logs why nothing is changed otherwise.
std::optional<std::size_t> LoadForUpdate(const std::string& batch, unsigned number, LineList& lines, LogSink& log) {
    formats::TextLinesResult loaded = formats::LoadTextLines(batch);
    if (loaded.error) {
        log.appendLine(loaded.error->describe(), LogColour::Red);
        return std::nullopt;
    }
    lines = std::move(loaded.lines);
    const std::optional<std::size_t> call = FindCallLine(lines, number);
    if (!call) {
        log.appendLine(Format(tr("In %s fehlt die Zeile \"REM Job %d\" mit ihrem CALL-Aufruf; "
                                 "die Datei wurde nicht geändert."),
                              {batch, std::to_string(number)}),
                       LogColour::Red);
        LogEmptyLine(log);
    }
    return call;
}

// Writes the job's own file and reports it; the job counts as saved only when the file is on disk.
bool SaveJobLines(options::JobState& job, const std::string& path, const LineList& lines, LogSink& log) {
    const bool saved = SaveLines(path, lines, log);
    if (saved) {
        log.appendLine(Format(tr("Job unter %s gespeichert."), {path}), LogColour::Blue);
        job.setModifiedFlag(false);
    } else {
        log.appendLine(tr("Speichern des Jobs gescheitert."), LogColour::Black);
    }
    LogEmptyLine(log);
    return saved;
}

// Reports the batch file of a Batch/Job layout after its line was (or was not) written.
void ReportBatch(options::JobState& job, const std::string& batch, bool saved, LogSink& log) {
    if (saved) {
        log.appendLine(Format(tr("Batchdatei unter %s gespeichert."), {batch}), LogColour::Blue);
        job.setModifiedFlag(false);
    } else {
        log.appendLine(tr("Speichern der Batchdatei gescheitert."), LogColour::Blue);
    }
}

} // namespace

// Replaced atomically instead of deleted first: a write that fails leaves the previous file intact.
bool SaveLines(const std::string& path, const LineList& lines, LogSink& log) {
    if (const std::optional<platform::FileError> error = formats::SaveTextLines(path, lines)) {
        log.appendLine(error->describe(), LogColour::Red);
        return false;
    }
    return IsRegularFile(path);
}

std::string ForceExtension(std::string_view file, std::string_view extension, PathStyle style) {
    const std::string_view name = FileNamePart(file, style);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string_view::npos && dot != 0 && EqualsIgnoringAsciiCase(name.substr(dot), extension)) {
        return std::string(file);
    }
    return settings::ReplaceExtension(file, extension, style);
}

bool BuildJobBatchLines(const options::JobState& job, LineList& lines, LogSink& log,
                        const formats::FormatServices& services) {
    lines.clear();
    const auto add = [&](std::string line) {
        log.appendLine(line, LogColour::Navy);
        lines.push_back(std::move(line));
    };
    add(formats::CommandLineHeader(services));
    std::string line = Format("RoboCopy /JOB:\"%s\"", {services.toCodePagePath(job.jobReferencePath())});
    const auto folder = [&](C noFolderBox, const std::string& path) {
        if (job.IsOptionSet(noFolderBox) && !path.empty()) {
            line += Format(" \"%s\"", {formats::NormaliseFolderPath(services.toCodePagePath(path))});
        }
    };
    folder(C::chb_PNoSD, job.sourcePath());
    folder(C::chb_PNoDD, job.destinationPath());
    add(EscapeBatchPercent(line));
    LogEmptyLine(log);
    return !job.jobReferencePath().empty();
}

bool SaveJobFile(JobEntry& entry, const formats::FormatServices& services, PathStyle style) {
    options::JobState& job = *entry.job;
    LogSink& log = *entry.log;
    const std::string path = ForceExtension(job.jobFilePath(), ".rcj", style);
    job.setJobFilePath(path);
    LogFileName(log, path);
    LogEmptyLine(log);
    LineList lines;
    if (!formats::WriteJobFile(job, path, lines, log, services)) {
        log.appendLine(tr("Zu den Einstellungen konnte kein Job erstellt werden."), LogColour::Black);
    } else {
        log.appendLine(tr("...erstellt."), LogColour::Green);
        LogEmptyLine(log);
        return SaveJobLines(job, path, lines, log);
    }
    LogEmptyLine(log);
    return false;
}

bool SaveJobBatch(JobEntry& entry, const formats::FormatServices& services, PathStyle style) {
    options::JobState& job = *entry.job;
    LogSink& log = *entry.log;
    const std::string batch = ForceExtension(job.jobFilePath(), ".bat", style);
    job.setJobFilePath(batch);
    LogFileName(log, batch);
    const std::string reference = ReferencePath(job, batch + ".rcj", style);
    job.setJobReferencePath(reference);
    LogFileName(log, reference);
    LogEmptyLine(log);
    if (!WriteJobFileTo(job, reference, log, services)) {
        LogEmptyLine(log);
        return false;
    }
    log.appendLine(tr("Batch erstellen..."), LogColour::Green);
    LogEmptyLine(log);
    bool saved = false;
    LineList lines;
    if (BuildJobBatchLines(job, lines, log, services)) {
        log.appendLine(tr("...erstellt."), LogColour::Green);
        saved = SaveLines(batch, lines, log);
    } else {
        log.appendLine(tr("Bei der Erstellung der Batchzeile ist ein Fehler aufgetreten."), LogColour::Red);
    }
    LogEmptyLine(log);
    ReportBatch(job, batch, saved, log);
    LogEmptyLine(log);
    return saved;
}

bool SaveCommandBatch(JobEntry& entry, const formats::FormatServices& services, PathStyle style) {
    options::JobState& job = *entry.job;
    LogSink& log = *entry.log;
    const std::string path = ForceExtension(job.jobFilePath(), ".cmd", style);
    job.setJobFilePath(path);
    std::string header;
    const std::optional<std::string> line = CommandBatchLine(job, log, services, &header);
    if (!line) {
        return false;
    }
    log.appendLine(tr("...erstellt."), LogColour::Green);
    LogEmptyLine(log);
    return SaveJobLines(job, path, {header, *line}, log);
}

bool UpdateMultiJobBatch(JobEntry& entry, const formats::FormatServices& services, PathStyle style) {
    options::JobState& job = *entry.job;
    LogSink& log = *entry.log;
    const std::string& batch = job.jobFilePath();
    LineList lines;
    const std::optional<std::size_t> call = LoadForUpdate(batch, entry.Number, lines, log);
    if (!call) {
        return false;
    }
    const std::string reference = ReferencePath(
        job, settings::ReplaceExtension(batch, Format(".%d.rcj", {std::to_string(entry.Number)}), style), style);
    job.setJobReferencePath(reference);
    LogFileName(log, reference);
    if (!WriteJobFileTo(job, reference, log, services)) {
        return false;
    }
    log.appendLine(tr("Batch ändern..."), LogColour::Green);
    LogEmptyLine(log);
    bool saved = false;
    LineList batchLines;
    if (BuildJobBatchLines(job, batchLines, log, services)) {
        log.appendLine(tr("...erstellt."), LogColour::Green);
        lines[*call] = "CALL " + batchLines[1];
        saved = SaveLines(batch, lines, log);
    } else {
        log.appendLine(tr("Bei der Erstellung der Batchzeile ist ein Fehler aufgetreten."), LogColour::Red);
    }
    ReportBatch(job, batch, saved, log);
    return saved;
}

bool UpdateMultiCommandBatch(JobEntry& entry, const formats::FormatServices& services) {
    options::JobState& job = *entry.job;
    LogSink& log = *entry.log;
    const std::string& batch = job.jobFilePath();
    const std::optional<std::string> line = CommandBatchLine(job, log, services, nullptr);
    if (!line) {
        return false;
    }
    log.appendLine(tr("...erstellt."), LogColour::Green);
    LogEmptyLine(log);
    log.appendLine(tr("Batch ändern..."), LogColour::Green);
    LogEmptyLine(log);
    LineList lines;
    const std::optional<std::size_t> call = LoadForUpdate(batch, entry.Number, lines, log);
    if (!call) {
        return false;
    }
    lines[*call] = "CALL " + *line;
    return SaveJobLines(job, batch, lines, log);
}

namespace {

enum class MultiLayout {
    JobBatch,
    CommandBatch,
};

bool SaveMulti(Workspace& workspace, MultiLayout layout) {
    const WorkspaceServices& services = workspace.services();
    JobList& jobs = workspace.jobs();
    LineList file{formats::CommandLineHeader(services.formats)};
    std::vector<JobEntry*> included;
    for (std::size_t n = 0; n < jobs.size(); ++n) {
        workspace.SelectJob(n);
        JobEntry& entry = jobs.at(n);
        entry.Number = static_cast<unsigned>(n);
        options::JobState& job = *entry.job;
        LogSink& log = *entry.log;
        const std::string number = std::to_string(n);
        std::optional<std::string> line;
        if (layout == MultiLayout::JobBatch) {
            const std::string batch = ForceExtension(job.jobFilePath(), ".bat", services.style);
            job.setJobFilePath(batch);
            LogHeading(log, tr("Job speichern"));
            const std::string reference = ReferencePath(
                job, settings::ReplaceExtension(batch, Format(".%d.rcj", {number}), services.style), services.style);
            job.setJobReferencePath(reference);
            LogFileName(log, reference);
            LogEmptyLine(log);
            const bool written = WriteJobFileTo(job, reference, log, services.formats);
            log.appendLine(tr("Batch erstellen..."), LogColour::Green);
            LineList batchLines;
            if (written && BuildJobBatchLines(job, batchLines, log, services.formats)) {
                line = batchLines[1];
            }
        } else {
            job.setJobFilePath(ForceExtension(job.jobFilePath(), ".cmd", services.style));
            LogHeading(log, Format(tr("Single Job %d erstellen"), {number}));
            line = CommandBatchLine(job, log, services.formats, nullptr);
        }
        if (line) {
            log.appendLine(tr("...erstellt."), LogColour::Green);
            file.emplace_back();
            file.push_back(RemJobLine(n));
            file.push_back("CALL " + *line);
            included.push_back(&entry);
        } else {
            log.appendLine(tr("Bei der Erstellung der Batchzeile ist ein Fehler aufgetreten."), LogColour::Red);
        }
        LogEmptyLine(log);
    }
    workspace.SelectJob(0);
    JobEntry& first = jobs.at(0);
    LogSink& log = *first.log;
    LogHeading(log, layout == MultiLayout::JobBatch ? tr("Multi Batch erstellen") : tr("Multi Job erstellen"));
    for (const std::string& line : file) {
        log.appendLine(line, LogColour::Navy);
    }
    LogEmptyLine(log);
    const std::string& path = first.job->jobFilePath();
    const bool saved = SaveLines(path, file, log);
    if (saved) {
        log.appendLine(Format(tr("Job unter %s gespeichert."), {path}), LogColour::Blue);
        for (JobEntry* entry : included) {
            entry->job->setModifiedFlag(false);
        }
    } else {
        log.appendLine(tr("Speichern des Jobs gescheitert."), LogColour::Black);
    }
    LogEmptyLine(log);
    return saved && included.size() == jobs.size();
}

} // namespace

bool SaveMultiJobBatch(Workspace& workspace) {
    return SaveMulti(workspace, MultiLayout::JobBatch);
}

bool SaveMultiCommandBatch(Workspace& workspace) {
    return SaveMulti(workspace, MultiLayout::CommandBatch);
}

} // namespace talvex::workspace
