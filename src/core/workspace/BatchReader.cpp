// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/workspace/BatchReader.h"

#include <charconv>
#include <system_error>

#include "core/formats/JobFileReader.h"
#include "core/formats/Text.h"
#include "core/formats/TextLines.h"
#include "core/services/AsciiCase.h"
#include "core/services/Format.h"
#include "core/services/Translate.h"
#include "core/workspace/CommandLineReader.h"
#include "core/workspace/LogLines.h"
#include "core/workspace/Workspace.h"
#include "platform/PathQueries.h"

namespace talvex::workspace {

namespace {

using C = options::Control;
using formats::LineList;

std::optional<unsigned> ParseNumber(std::string_view text) {
    text = formats::TrimBlanks(text);
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

bool ContainsCall(std::string_view line) {
    return AsciiLower(line).find("call") != std::string::npos;
}

std::optional<LineList> Load(const std::string& file, LogSink& log) {
    Result<LineList> loaded = formats::LoadTextLines(file);
    if (!loaded) {
        LogReason(log, loaded.status());
        return std::nullopt;
    }
    return std::move(*loaded);
}

// Puts a folder of the /JOB: line into a job whose job file leaves it out. Two folders on the line
// stand in their places (source, destination); a single one fills the first folder left out.
void TakeFolder(options::JobState& job, LineList& parameters, bool source, LogSink& log) {
    const bool inPlace = parameters.size() >= 2;
    if (!job.IsOptionSet(source ? C::chb_PNoSD : C::chb_PNoDD) && !inPlace) {
        return;
    }
    if (parameters.empty()) {
        return;
    }
    const std::string folder = formats::NormaliseFolderPath(parameters.front());
    parameters.erase(parameters.begin());
    if (folder.empty() || !job.IsOptionSet(source ? C::chb_PNoSD : C::chb_PNoDD)) {
        return;
    }
    if (source) {
        job.setText(C::edt_PSD, folder);
        job.checkSourcePath(folder);
    } else {
        job.setText(C::edt_PDD, folder);
        job.checkDestinationPath(folder);
    }
    log.appendLine(Format("%s: %s", {source ? tr("Quelle") : tr("Ziel"), folder}), LogColour::Blue);
    LogEmptyLine(log);
}

// Reads the job file the first parameter names, then the folders after it. False when reading must
// stop, for the following jobs of a multi-job file too.
bool ReadReferencedJob(Workspace& workspace, JobEntry& entry, const std::string& batchFile, LineList parameters) {
    options::JobState& job = *entry.job;
    LogSink& log = *entry.log;
    const WorkspaceServices& services = workspace.services();
    LogEmptyLine(log);
    if (parameters.empty()) {
        log.appendLine(tr("Beim Lesen der Datei sind Fehler aufgetreten."), LogColour::Black);
        job.SetJobFlags(false, false, false);
        return false;
    }
    log.appendLine(tr("...geladen."), LogColour::Green);
    LogEmptyLine(log);
    std::string reference = parameters.front();
    parameters.erase(parameters.begin());
    job.setJobReferencePath(reference);
    LogFileName(log, reference);
    LogEmptyLine(log);
    if (!platform::IsRegularFile(reference)) {
        // The name may be a Windows path while we run elsewhere: Windows style splits at "\" and "/".
        const std::string candidate =
            JoinPath(ExcludeTrailingSeparator(FolderPart(batchFile, services.style), services.style),
                     FileNamePart(reference, PathStyle::Windows), services.style);
        if (!platform::IsRegularFile(candidate)) {
            log.appendLine(Format(tr("Die Datei %s wurde nicht gefunden."), {reference}), LogColour::Black);
            job.SetJobFlags(false, false, false);
            return false;
        }
        const std::string question = Format(tr("Die Datei %s wurde nicht gefunden."), {reference}) + "\r\n" +
                                     Format(tr("Soll die Datei %s verwendet werden?"), {candidate});
        if (services.ui.showMessage(MessageKind::Question, "Talvex", question, Buttons::YesNo) != Answer::Yes) {
            job.SetJobFlags(false, false, false);
            return false;
        }
        reference = candidate;
        job.setJobReferencePath(reference);
        LogFileName(log, reference);
        LogEmptyLine(log);
    }
    if (const Status read = ReadJobFileAt(job, reference, true, log, services.formats); !read) {
        log.appendLine(tr("Beim Lesen der Datei sind Fehler aufgetreten."), LogColour::Black);
        LogReason(log, read);
        job.SetJobFlags(false, false, false);
        return true;
    }
    log.appendLine(tr("...geladen."), LogColour::Green);
    LogEmptyLine(log);
    TakeFolder(job, parameters, true, log);
    TakeFolder(job, parameters, false, log);
    // After the folders: a job whose folders come from the batch line is ready only with them.
    job.SetJobFlags(job.computeReady(), true, false);
    return true;
}

// Applies the command line of a command-line batch to the entry's job and reports the outcome.
void ReadCommandLine(Workspace& workspace, JobEntry& entry, std::string_view line, bool announceReset) {
    options::JobState& job = *entry.job;
    LogSink& log = *entry.log;
    if (const Status read = ParseCommandLine(job, line, announceReset, log, workspace.services().formats); read) {
        log.appendLine(tr("...geladen."), LogColour::Green);
        job.SetJobFlags(job.computeReady(), true, false);
    } else {
        log.appendLine(tr("Beim Lesen der Datei sind Fehler aufgetreten."), LogColour::Red);
        LogReason(log, read);
        job.SetJobFlags(false, false, false);
    }
    LogEmptyLine(log);
}

// The next job of a multi-job file: the current one for the first, else a new one that takes over
// the file and its kind.
JobEntry& JobFor(Workspace& workspace, int counter) {
    if (counter == 0) {
        return workspace.current();
    }
    const JobEntry& previous = workspace.current();
    const ScriptKind kind = previous.Kind;
    const std::string path = previous.job->jobFilePath();
    JobEntry& entry = workspace.NewJob();
    entry.Kind = kind;
    entry.job->setJobFilePath(path);
    return entry;
}

void NumberJob(JobEntry& entry, std::optional<unsigned> number, int counter) {
    entry.Number = number.value_or(static_cast<unsigned>(counter));
    if (!number) {
        entry.log->appendLine(
            Format(tr("Der Job trägt in der Datei keine Nummer; er erhält seine Position %d als Nummer."),
                   {std::to_string(counter)}),
            LogColour::Black);
    }
}

enum class MultiLayout {
    JobBatch,
    CommandBatch,
};

void OpenMulti(Workspace& workspace, const std::string& file, MultiLayout layout) {
    const std::optional<LineList> lines = Load(file, workspace.log());
    if (!lines) {
        workspace.current().job->SetJobFlags(false, false, false);
        return;
    }
    const LineList& all = *lines;
    std::size_t pos = 0;
    int counter = -1;
    while (all.size() - pos >= 2) {
        while (all.size() - pos >= 2 && !ContainsCall(all[pos + 1])) {
            ++pos;
        }
        if (all.size() - pos < 2) {
            break;
        }
        ++counter;
        JobEntry& entry = JobFor(workspace, counter);
        LogSink& log = *entry.log;
        const std::string& remLine = all[pos];
        const std::string call = UnescapeBatchPercent(all[pos + 1]);
        pos += 2;
        if (layout == MultiLayout::CommandBatch) {
            NumberJob(entry, JobNumberOfRemLine(remLine), counter);
            ReadCommandLine(workspace, entry, call, counter == 0);
            continue;
        }
        LineList parameters;
        formats::ParseJobParameter(call, parameters, log);
        NumberJob(entry, parameters.empty() ? std::nullopt : JobNumberOfReference(parameters.front()), counter);
        if (!ReadReferencedJob(workspace, entry, file, std::move(parameters))) {
            return;
        }
    }
    if (counter < 0) {
        workspace.log().appendLine(tr("Beim Lesen der Datei ist ein Fehler aufgetreten"), LogColour::Black);
        LogEmptyLine(workspace.log());
        workspace.current().job->SetJobFlags(false, false, false);
    }
}

} // namespace

std::optional<unsigned> JobNumberOfRemLine(std::string_view line) {
    const std::string_view text = formats::TrimBlanks(line);
    if (!StartsWithIgnoringAsciiCase(text, "rem job ")) {
        return std::nullopt;
    }
    return ParseNumber(text.substr(8));
}

std::optional<unsigned> JobNumberOfReference(std::string_view reference) {
    const std::string_view name = FileNamePart(reference, PathStyle::Windows);
    const std::size_t extension = name.rfind('.');
    if (extension == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view stem = name.substr(0, extension);
    const std::size_t dot = stem.rfind('.');
    if (dot == std::string_view::npos) {
        return std::nullopt;
    }
    return ParseNumber(stem.substr(dot + 1));
}

Status ReadJobFileAt(options::JobState& job, const std::string& path, bool reportFlag, LogSink& log,
                     const formats::FormatServices& formats) {
    const Result<LineList> loaded = formats::LoadTextLines(path);
    if (!loaded) {
        return loaded.status();
    }
    return formats::ReadJobFile(job, *loaded, reportFlag, log, formats);
}

void OpenJobBatch(Workspace& workspace, const std::string& file) {
    JobEntry& entry = workspace.current();
    LogSink& log = *entry.log;
    const std::optional<LineList> lines = Load(file, log);
    const std::string* call = nullptr;
    if (lines) {
        for (const std::string& line : *lines) {
            if (AsciiLower(line).find("robocopy") != std::string::npos) {
                call = &line;
                break;
            }
        }
    }
    if (call == nullptr) {
        log.appendLine(tr("Beim Lesen der Datei ist ein Fehler aufgetreten"), LogColour::Black);
        LogEmptyLine(log);
        entry.job->SetJobFlags(false, false, false);
        return;
    }
    LineList parameters;
    formats::ParseJobParameter(UnescapeBatchPercent(*call), parameters, log);
    ReadReferencedJob(workspace, entry, file, std::move(parameters));
}

void OpenCommandBatch(Workspace& workspace, const std::string& file) {
    JobEntry& entry = workspace.current();
    LogSink& log = *entry.log;
    const std::optional<LineList> lines = Load(file, log);
    // The last line that holds anything: an editor may leave blank lines at the end.
    std::string_view line;
    if (lines) {
        for (auto it = lines->rbegin(); it != lines->rend() && line.empty(); ++it) {
            line = formats::TrimBlanks(*it);
        }
    }
    if (!lines) {
        log.appendLine(tr("Beim Lesen der Datei sind Fehler aufgetreten."), LogColour::Red);
        LogEmptyLine(log);
        entry.job->SetJobFlags(false, false, false);
        return;
    }
    ReadCommandLine(workspace, entry, UnescapeBatchPercent(line), true);
}

void OpenMultiJobBatch(Workspace& workspace, const std::string& file) {
    OpenMulti(workspace, file, MultiLayout::JobBatch);
}

void OpenMultiCommandBatch(Workspace& workspace, const std::string& file) {
    OpenMulti(workspace, file, MultiLayout::CommandBatch);
}

} // namespace talvex::workspace
