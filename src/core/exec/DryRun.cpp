// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exec/DryRun.h"

#include <algorithm>
#include <array>
#include <vector>

#include "core/output/ProgressTracker.h"
#include "core/services/AsciiCase.h"
#include "core/services/Format.h"
#include "core/services/Translate.h"

namespace talvex::exec {

namespace {

// The arguments of a Windows command line as they stand in it, quotes included, so that the kept
// ones go back unchanged. The program name is the first.
std::vector<std::string_view> Arguments(std::string_view line) {
    std::vector<std::string_view> arguments;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) {
            ++i;
        }
        if (i == line.size()) {
            break;
        }
        const std::size_t start = i;
        bool quoted = false;
        while (i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t'))) {
            if (line[i] == '"') {
                quoted = !quoted;
            }
            ++i;
        }
        arguments.push_back(line.substr(start, i - start));
    }
    return arguments;
}

// The switch name of an argument without its value and quotes, upper case: "/LOG+:x" gives "/LOG+".
std::string SwitchName(std::string_view argument) {
    if (argument.empty() || argument.front() != '/') {
        return {};
    }
    return AsciiUpper(argument.substr(0, argument.find(':')));
}

bool IsLeftOut(const std::string& name) {
    static constexpr std::array<std::string_view, 22> kLeftOut = {
        "/LOG", "/LOG+", "/UNILOG", "/UNILOG+", "/SAVE",  "/QUIT", "/UNICODE", "/MON", "/MOT", "/RH",  "/NFL",
        "/NDL", "/NP",   "/NS",     "/NC",      "/BYTES", "/FP",   "/V",       "/TEE", "/L",   "/ETA", "/JOB"};
    return std::ranges::find(kLeftOut, name) != kLeftOut.end();
}

} // namespace

Deletions FindDeletions(std::string_view commandLine) {
    Deletions deletions;
    const std::vector<std::string_view> arguments = Arguments(commandLine);
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string name = SwitchName(arguments[i]);
        if (name == "/L") {
            return {};
        }
        deletions.atDestination = deletions.atDestination || name == "/MIR" || name == "/PURGE";
        deletions.atSource = deletions.atSource || name == "/MOV" || name == "/MOVE";
    }
    return deletions;
}

std::string DryRunCommandLine(std::string_view commandLine) {
    const std::vector<std::string_view> arguments = Arguments(commandLine);
    std::string line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (i > 0 && IsLeftOut(SwitchName(arguments[i]))) {
            continue;
        }
        if (!line.empty()) {
            line += ' ';
        }
        line += arguments[i];
    }
    return line + " /L /BYTES /NP";
}

std::string DeletionQuestion(const output::DryRunSummary& summary, Deletions deletions) {
    std::string question;
    if (deletions.atDestination && summary.extraFiles + summary.extraFolders > 0) {
        question = Format(tr("%d Dateien und %d Ordner im Ziel werden gelöscht."),
                          {std::to_string(summary.extraFiles), std::to_string(summary.extraFolders)});
    }
    if (deletions.atSource && summary.files > 0) {
        if (!question.empty()) {
            question += '\n';
        }
        question +=
            Format(tr("%d Dateien werden nach dem Kopieren in der Quelle gelöscht."), {std::to_string(summary.files)});
    }
    if (question.empty()) {
        return {};
    }
    return question + '\n' + tr("Fortfahren?");
}

std::string SimulationSummary(const output::DryRunSummary& summary, Deletions deletions) {
    std::string text = Format(
        tr("Simulation: %d Dateien (%s) und %d neue Ordner würden kopiert."),
        {std::to_string(summary.files), output::ByteCountText(summary.bytes), std::to_string(summary.newFolders)});
    if (deletions.atDestination) {
        text += ' ' + Format(tr("Im Ziel würden %d Dateien und %d Ordner gelöscht."),
                             {std::to_string(summary.extraFiles), std::to_string(summary.extraFolders)});
    }
    if (deletions.atSource) {
        text += ' ' + Format(tr("In der Quelle würden %d Dateien gelöscht."), {std::to_string(summary.files)});
    }
    return text;
}

} // namespace talvex::exec
