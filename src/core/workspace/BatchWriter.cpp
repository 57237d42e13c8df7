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

// Renders and writes a job file; logs as the batch writers do. Succeeds when it is on disk.
Status WriteJobFileTo(const options::JobState& job, const std::string& path, LogSink& log,
                      const SaveServices& services) {
    LineList lines;
    if (Status written = formats::WriteJobFile(job, path, lines, log, services.formats); !written) {
        return written;
    }
    log.appendLine(tr("...erstellt."), LogColour::Green);
    LogEmptyLine(log);
    if (Status saved = formats::SaveTextLines(path, lines, services.io); !saved) {
        log.appendLine(tr("Speichern des Jobs gescheitert."), LogColour::Blue);
        return saved;
    }
    log.appendLine(Format(tr("Job unter %s gespeichert."), {path}), LogColour::Blue);
    LogEmptyLine(log);
    return {};
}

// The robocopy line of a command-line batch: line 1 of the built command line, "%" doubled, and
// the header line (line 0).
struct CommandBatchLines {
    std::string header;
    std::string line;
};

Result<CommandBatchLines> CommandBatchLine(const options::JobState& job, LogSink& log,
                                           const formats::FormatServices& services) {
    LineList lines;
    if (Status built = formats::BuildCommandLine(job, lines, log, services); !built) {
        return Error{built.reason()};
    }
    return CommandBatchLines{lines.at(0), EscapeBatchPercent(lines.at(1))};
}

// BuildJobBatchLines fails only for a job without a job file to call.
Error NoBatchLine() {
    return Error{tr("Der Job nennt keine Jobdatei, die die Batchzeile aufrufen könnte.")};
}

std::string RemJobLine(std::size_t number) {
    return Format("REM Job %d", {std::to_string(number)});
}

// The line after "REM Job <number>" in a multi-job file, or nothing.
std::optional<std::size_t> FindCallLine(const LineList& lines, unsigned number) {
    const std::string rem = RemJobLine(number);
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        if (formats::TrimBlanks(lines[i]) == rem) {
            return i + 1;
        }
    }
    return std::nullopt;
}

bool IsOwnCallLine(std::string_view line) {
    return AsciiLower(line).find("call robocopy") != std::string::npos;
}

// Loads a multi-job file and finds the job's line; the error says why nothing can be changed.
Result<std::size_t> LoadForUpdate(const std::string& batch, unsigned number, LineList& lines, bool ownLineOnly) {
    Result<LineList> loaded = formats::LoadTextLines(batch);
    if (!loaded) {
        return Error{loaded.reason()};
    }
    lines = std::move(*loaded);
    if (const std::optional<std::size_t> call = FindCallLine(lines, number);
        call && (!ownLineOnly || IsOwnCallLine(lines[*call]))) {
        return *call;
    }
    return Error{Format(tr("In %s fehlt die Zeile \"REM Job %d\" mit ihrem CALL-Aufruf; "
                           "die Datei wurde nicht geändert."),
                        {batch, std::to_string(number)})};
}

// Writes the job's own file and reports it; the job counts as saved only when the file is on disk.
Status SaveJobLines(options::JobState& job, const std::string& path, const LineList& lines,
                    const SaveServices& services, LogSink& log) {
    Status saved = formats::SaveTextLines(path, lines, services.io);
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
void ReportBatch(options::JobState& job, const std::string& batch, const Status& saved, LogSink& log) {
    if (saved) {
        log.appendLine(Format(tr("Batchdatei unter %s gespeichert."), {batch}), LogColour::Blue);
        job.setModifiedFlag(false);
    } else {
        log.appendLine(tr("Speichern der Batchdatei gescheitert."), LogColour::Blue);
    }
}

} // namespace

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
    // Robocopy reads the first folder on the line as the source: a destination goes second, behind
    // the source or an empty pair of quotes, so neither robocopy nor the reader takes it for one.
    const bool destination = job.IsOptionSet(C::chb_PNoDD) && !job.destinationPath().empty();
    if (destination || (job.IsOptionSet(C::chb_PNoSD) && !job.sourcePath().empty())) {
        line += " " + formats::QuotedFolder(services.toCodePagePath(job.sourcePath()));
    }
    if (destination) {
        line += " " + formats::QuotedFolder(services.toCodePagePath(job.destinationPath()));
    }
    add(EscapeBatchPercent(line));
    LogEmptyLine(log);
    return !job.jobReferencePath().empty();
}

// Files are replaced atomically instead of deleted first: a write that fails leaves the previous
// file intact.
Status SaveJobFile(JobEntry& entry, const SaveServices& services) {
    options::JobState& job = *entry.job;
    LogSink& log = *entry.log;
    const std::string path = job.jobFilePath();
    LogFileName(log, path);
    LogEmptyLine(log);
    LineList lines;
    if (Status written = formats::WriteJobFile(job, path, lines, log, services.formats); !written) {
        log.appendLine(tr("Zu den Einstellungen konnte kein Job erstellt werden."), LogColour::Black);
        LogEmptyLine(log);
        return written;
    }
    log.appendLine(tr("...erstellt."), LogColour::Green);
    LogEmptyLine(log);
    return SaveJobLines(job, path, lines, services, log);
}

Status SaveJobBatch(JobEntry& entry, const SaveServices& services) {
    options::JobState& job = *entry.job;
    LogSink& log = *entry.log;
    const std::string batch = job.jobFilePath();
    LogFileName(log, batch);
    const std::string reference = ReferencePath(job, batch + ".rcj", services.style);
    job.setJobReferencePath(reference);
    LogFileName(log, reference);
    LogEmptyLine(log);
    if (Status written = WriteJobFileTo(job, reference, log, services); !written) {
        LogEmptyLine(log);
        return written;
    }
    log.appendLine(tr("Batch erstellen..."), LogColour::Green);
    LogEmptyLine(log);
    Status saved = NoBatchLine();
    LineList lines;
    if (BuildJobBatchLines(job, lines, log, services.formats)) {
        log.appendLine(tr("...erstellt."), LogColour::Green);
        saved = formats::SaveTextLines(batch, lines, services.io);
    } else {
        log.appendLine(tr("Bei der Erstellung der Batchzeile ist ein Fehler aufgetreten."), LogColour::Red);
    }
    LogEmptyLine(log);
    ReportBatch(job, batch, saved, log);
    LogEmptyLine(log);
    return saved;
}

Status SaveCommandBatch(JobEntry& entry, const SaveServices& services) {
    options::JobState& job = *entry.job;
    LogSink& log = *entry.log;
    const std::string path = job.jobFilePath();
    const Result<CommandBatchLines> built = CommandBatchLine(job, log, services.formats);
    if (!built) {
        return built.status();
    }
    log.appendLine(tr("...erstellt."), LogColour::Green);
    LogEmptyLine(log);
    return SaveJobLines(job, path, {built->header, built->line}, services, log);
}

Status UpdateMultiJobBatch(JobEntry& entry, const SaveServices& services) {
    options::JobState& job = *entry.job;
    LogSink& log = *entry.log;
    const std::string& batch = job.jobFilePath();
    LineList lines;
    const Result<std::size_t> call = LoadForUpdate(batch, entry.Number, lines, false);
    if (!call) {
        return call.status();
    }
    const std::string reference = ReferencePath(
        job, settings::ReplaceExtension(batch, Format(".%d.rcj", {std::to_string(entry.Number)}), services.style),
        services.style);
    job.setJobReferencePath(reference);
    LogFileName(log, reference);
    if (Status written = WriteJobFileTo(job, reference, log, services); !written) {
        return written;
    }
    if (!IsOwnCallLine(lines[*call])) {
        // The job lives in its job file; a line that calls robocopy its own way is the user's.
        log.appendLine(Format(tr("Die Zeile von Job %d ruft Robocopy anders auf und bleibt unverändert: %s"),
                              {std::to_string(entry.Number), lines[*call]}),
                       LogColour::Black);
        job.setModifiedFlag(false);
        return {};
    }
    log.appendLine(tr("Batch ändern..."), LogColour::Green);
    LogEmptyLine(log);
    Status saved = NoBatchLine();
    LineList batchLines;
    if (BuildJobBatchLines(job, batchLines, log, services.formats)) {
        log.appendLine(tr("...erstellt."), LogColour::Green);
        lines[*call] = "CALL " + batchLines[1];
        saved = formats::SaveTextLines(batch, lines, services.io);
    } else {
        log.appendLine(tr("Bei der Erstellung der Batchzeile ist ein Fehler aufgetreten."), LogColour::Red);
    }
    ReportBatch(job, batch, saved, log);
    return saved;
}

Status UpdateMultiCommandBatch(JobEntry& entry, const SaveServices& services) {
    options::JobState& job = *entry.job;
    LogSink& log = *entry.log;
    const std::string& batch = job.jobFilePath();
    const Result<CommandBatchLines> built = CommandBatchLine(job, log, services.formats);
    if (!built) {
        return built.status();
    }
    log.appendLine(tr("...erstellt."), LogColour::Green);
    LogEmptyLine(log);
    log.appendLine(tr("Batch ändern..."), LogColour::Green);
    LogEmptyLine(log);
    LineList lines;
    const Result<std::size_t> call = LoadForUpdate(batch, entry.Number, lines, true);
    if (!call) {
        return call.status();
    }
    lines[*call] = "CALL " + built->line;
    return SaveJobLines(job, batch, lines, services, log);
}

namespace {

enum class MultiLayout {
    JobBatch,
    CommandBatch,
};

// The "CALL" target of one job in a multi-job file; writes the job's own job file first in the
// Batch/Job layout. Logs its progress into the job's log.
Result<std::string> MultiJobLine(JobEntry& entry, MultiLayout layout, const SaveServices& services) {
    options::JobState& job = *entry.job;
    LogSink& log = *entry.log;
    const std::string number = std::to_string(entry.Number);
    if (layout == MultiLayout::CommandBatch) {
        job.setJobFilePath(ForceExtension(job.jobFilePath(), ".cmd", services.style));
        LogHeading(log, Format(tr("Single Job %d erstellen"), {number}));
        Result<CommandBatchLines> built = CommandBatchLine(job, log, services.formats);
        if (!built) {
            return Error{built.reason()};
        }
        return std::move(built->line);
    }
    const std::string batch = ForceExtension(job.jobFilePath(), ".bat", services.style);
    job.setJobFilePath(batch);
    LogHeading(log, tr("Job speichern"));
    const std::string reference = ReferencePath(
        job, settings::ReplaceExtension(batch, Format(".%d.rcj", {number}), services.style), services.style);
    job.setJobReferencePath(reference);
    LogFileName(log, reference);
    LogEmptyLine(log);
    const Status written = WriteJobFileTo(job, reference, log, services);
    log.appendLine(tr("Batch erstellen..."), LogColour::Green);
    if (!written) {
        return Error{written.reason()};
    }
    LineList batchLines;
    if (!BuildJobBatchLines(job, batchLines, log, services.formats)) {
        return NoBatchLine();
    }
    return std::move(batchLines[1]);
}

// A job may keep a job file of its own choosing, but a numbered file of the batch ("alle.2.rcj")
// follows the job's position: after a job was closed, an old number would name another job's
// file, and two jobs sharing one file would lose one job's options.
void RenumberJobFiles(JobList& jobs, PathStyle style) {
    std::vector<std::string> used;
    for (std::size_t n = 0; n < jobs.size(); ++n) {
        options::JobState& job = *jobs.at(n).job;
        const std::string reference = AsciiLower(job.jobReferencePath());
        const std::string prefix =
            AsciiLower(settings::ReplaceExtension(ForceExtension(job.jobFilePath(), ".bat", style), ".", style));
        const std::string_view number = std::string_view(reference).substr(std::min(prefix.size(), reference.size()));
        const bool numbered = reference.starts_with(prefix) && number.ends_with(".rcj") && number.size() > 4 &&
                              number.find_first_not_of("0123456789") == number.size() - 4;
        if (numbered || std::find(used.begin(), used.end(), reference) != used.end()) {
            job.setJobReferencePath("");
        } else if (!reference.empty()) {
            used.push_back(reference);
        }
    }
}

Status SaveMulti(Workspace& workspace, MultiLayout layout) {
    const SaveServices services = workspace.saveServices();
    JobList& jobs = workspace.jobs();
    LineList file{formats::CommandLineHeader(services.formats)};
    std::vector<JobEntry*> included;
    if (layout == MultiLayout::JobBatch) {
        RenumberJobFiles(jobs, services.style);
    }
    for (std::size_t n = 0; n < jobs.size(); ++n) {
        workspace.SelectJob(n);
        JobEntry& entry = jobs.at(n);
        entry.Number = static_cast<unsigned>(n);
        LogSink& log = *entry.log;
        const Result<std::string> line = MultiJobLine(entry, layout, services);
        if (line) {
            log.appendLine(tr("...erstellt."), LogColour::Green);
            file.emplace_back();
            file.push_back(RemJobLine(n));
            file.push_back("CALL " + *line);
            included.push_back(&entry);
        } else {
            log.appendLine(tr("Bei der Erstellung der Batchzeile ist ein Fehler aufgetreten."), LogColour::Red);
            LogReason(log, line.status());
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
    Status saved = formats::SaveTextLines(path, file, services.io);
    if (saved) {
        log.appendLine(Format(tr("Job unter %s gespeichert."), {path}), LogColour::Blue);
        for (JobEntry* entry : included) {
            entry->job->setModifiedFlag(false);
        }
    } else {
        log.appendLine(tr("Speichern des Jobs gescheitert."), LogColour::Black); // the caller tells why
    }
    LogEmptyLine(log);
    return saved;
}

} // namespace

Status SaveMultiJobBatch(Workspace& workspace) {
    return SaveMulti(workspace, MultiLayout::JobBatch);
}

Status SaveMultiCommandBatch(Workspace& workspace) {
    return SaveMulti(workspace, MultiLayout::CommandBatch);
}

} // namespace talvex::workspace
