// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/CommandLineBuilder.h"

#include <exception>
#include <string>

#include "core/formats/FurtherOptions.h"
#include "core/formats/SwitchKeyword.h"
#include "core/formats/Text.h"
#include "core/options/NameListText.h"
#include "core/options/OptionCoupling.h"
#include "core/options/SwitchRegistry.h"
#include "core/services/Format.h"
#include "core/services/Translate.h"
#include "platform/Unicode.h"

namespace talvex::formats {

namespace {

using options::ArgumentKind;
using options::OptionInfo;

// Robocopy would read a name with a blank as two names. Inside quotes a trailing "\" would escape
// the closing quote, and a folder name needs none.
std::string CommandLineName(std::string_view name) {
    const bool quoted = name.size() >= 2 && name.front() == '"' && name.back() == '"';
    if (quoted || name.find_first_of(" \t") == std::string_view::npos) {
        return std::string(name);
    }
    return "\"" + NormaliseFolderPath(name) + "\"";
}

// A value typed into a field must stay one argument: "5 /PURGE" in the retry field would otherwise
// add a destructive switch to the line. Such a value goes in quotes (robocopy then refuses it as a
// whole), and quotes inside it are dropped so that it cannot close them.
std::string SingleArgument(std::string_view value) {
    // Blanks around the value are written as they stand, as they always were.
    if (TrimBlanks(value).find_first_of(" \t\"") == std::string_view::npos) {
        return std::string(value);
    }
    std::string out = "\"";
    for (const char c : value) {
        if (c != '"') {
            out += c;
        }
    }
    if (out.back() == '\\') {
        out += '\\'; // a backslash before the closing quote would escape it
    }
    return out + "\"";
}

// The name lists as arguments. A list without names goes out entirely: a bare "/XD" would take the
// next argument as its name, and the empty lines between lists would add empty arguments.
std::string NameLists(std::string_view text) {
    std::string out;
    std::string_view pending;
    for (const std::string_view entry : options::SplitNameList(text)) {
        const OptionInfo* list = options::FindOptionBySwitch(entry);
        if (list != nullptr && list->argument == ArgumentKind::List) {
            pending = entry;
        } else if (!TrimBlanks(entry).empty()) {
            if (!pending.empty()) {
                out += " " + std::string(pending);
                pending = {};
            }
            out += " " + CommandLineName(entry);
        }
    }
    return out;
}

// What a set option adds to the line: " /S", " /DCOPY:T", " /R:5", " /LOG:\"x.log\"", or nothing when
// its value is empty.
std::string SwitchText(const options::JobState& job, const OptionInfo& option) {
    std::string name = " " + std::string(option.switchName);
    const auto with = [&](std::string_view value) { return name + ":" + std::string(value); };
    const auto field = [&](std::size_t index) -> const std::string& { return job.text(option.fields[index]); };
    switch (option.argument) {
    case ArgumentKind::Flag:
        return name;
    case ArgumentKind::FixedText:
        return with(SingleArgument(FixedTextValue(job, option)));
    case ArgumentKind::Letters: {
        const std::string letters = job.tickedLetters(option.box);
        return letters.empty() ? std::string() : with(letters);
    }
    case ArgumentKind::NumberAsTyped:
        return field(0).empty() ? std::string() : with(SingleArgument(field(0)));
    case ArgumentKind::Number:
    case ArgumentKind::PaddedNumber: {
        const std::string_view value = TrimBlanks(field(0));
        return value.empty() ? std::string() : with(SingleArgument(value));
    }
    case ArgumentKind::File: {
        // A separator at the end would turn the closing quote into an escaped one for robocopy.
        std::string file(options::coupling::LogFileName(field(0)));
        if (file.empty()) {
            return {};
        }
        // The file goes in quotes; a quote in it would end them early.
        std::erase(file, '"');
        return with("\"" + file + "\"");
    }
    case ArgumentKind::TimeRange: {
        const std::string_view from = TrimBlanks(field(0));
        const std::string_view to = TrimBlanks(field(1));
        return from.empty() || to.empty() ? std::string() : with(SingleArgument(from) + "-" + SingleArgument(to));
    }
    case ArgumentKind::List:
    case ArgumentKind::Path:
        break;
    }
    return {};
}

std::string Switches(const options::JobState& job) {
    std::string line;
    bool namesWritten = false;
    for (const OptionInfo& option : options::Options()) {
        if (option.argument == ArgumentKind::Path) {
            continue; // the folders lead the line
        }
        if (option.argument == ArgumentKind::List) {
            // The four indicator boxes stand for one text: the name lists go in once, whichever are set.
            // Further options go before the lists: on POSIX a switch robocopy does not know would
            // read back as a name of the last list.
            if (!namesWritten) {
                for (const std::string& word : FurtherOptionWords(job.text(options::Control::edt_KWeitere))) {
                    line += " " + FurtherOptionArgument(word, QuoteRules::CommandLine);
                }
            }
            if (!namesWritten && job.isAnyOptionSet(options::OptionsOf(options::JobFileSection::NameLists))) {
                line += NameLists(job.nameListText());
            }
            namesWritten = true;
        } else if (job.IsOptionSet(option.box)) {
            line += SwitchText(job, option);
        }
    }
    return line;
}

std::string Quoted(std::string_view path) {
    return " " + QuotedFolder(path);
}

} // namespace

std::string QuotedFolder(std::string_view path) {
    std::string folder = NormaliseFolderPath(path);
    if (!folder.empty() && folder.back() == '\\') {
        folder += '\\'; // a root's "\": doubled, the backslash no longer escapes the closing quote
    }
    return "\"" + folder + "\"";
}

std::string CommandLineHeader(const FormatServices& services) {
    const std::string version = services.versionText();
    const std::string date = services.dateText();
    const std::string time = services.timeText();
    return Format(tr("REM Erstellt mit Brenno's Talvex %s am %s um %s"), {version, date, time});
}

Status BuildCommandLine(const options::JobState& job, LineList& lines, LogSink& log, const FormatServices& services) {
    lines.clear();
    log.appendLine(tr("Job erstellen..."), LogColour::Green);
    log.appendLine("", LogColour::Black);
    try {
        const auto add = [&](std::string line) {
            log.appendLine(line, LogColour::Navy);
            lines.push_back(std::move(line));
        };
        add(CommandLineHeader(services));
        std::string line = "Robocopy";
        // Robocopy reads the first folder as the source: an empty source keeps its place ("") when a
        // destination follows, or the destination would be read back (and run) as the source.
        const auto folder = [&](const std::string& path, bool needsUnicode, bool keepPlace) {
            if (!path.empty() || keepPlace) {
                line += Quoted(needsUnicode ? services.toCodePagePath(path) : path);
            }
        };
        folder(job.sourcePath(), job.sourceNeedsUnicode(), !job.destinationPath().empty());
        folder(job.destinationPath(), job.destNeedsUnicode(), false);
        line += Switches(job);
        add(std::move(line));
        log.appendLine("", LogColour::Black);
        return {};
    } catch (const std::exception& exception) {
        return Error::FromException(exception);
    }
}

Status BuildCommandLineW(const options::JobState& job, WideLineList& lines, const FormatServices& services) {
    lines.clear();
    try {
        lines.push_back(platform::Utf8ToUtf16(CommandLineHeader(services)));
        const std::string line = "Robocopy" + Quoted(job.sourcePath()) + Quoted(job.destinationPath()) + Switches(job);
        lines.push_back(platform::Utf8ToUtf16(line));
        return {};
    } catch (const std::exception& exception) {
        return Error::FromException(exception);
    }
}

} // namespace talvex::formats
