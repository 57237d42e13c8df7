// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/CommandLineBuilder.h"

#include <array>
#include <exception>
#include <string>

#include "core/formats/Text.h"
#include "core/options/NameListText.h"
#include "core/options/OptionCatalogue.h"
#include "core/services/Format.h"
#include "core/services/Translate.h"
#include "platform/Unicode.h"

namespace talvex::formats {

namespace {

using options::Control;
using C = options::Control;

enum class Arg {
    None,
    Letters,   ///< the ticked letters; nothing without one
    Text,      ///< the edit text unchanged; nothing when empty
    Trimmed,   ///< the edit text trimmed; nothing when empty
    LogFile,   ///< edt_LLOG in quotes; nothing when empty
    TimeRange, ///< both times trimmed; nothing unless both are given
    NameList,  ///< every line of the name lists
};

struct Switch {
    Control box;
    std::string_view pattern;
    Arg arg;
};

constexpr std::array kSwitches = {
    Switch{C::chb_KS, " /S", Arg::None},
    Switch{C::chb_KE, " /E", Arg::None},
    Switch{C::chb_KM, " /M", Arg::None},
    Switch{C::chb_KZ, " /Z", Arg::None},
    Switch{C::chb_KAminus, " /A-:%s", Arg::Letters},
    Switch{C::chb_KSEC, " /SEC", Arg::None},
    Switch{C::chb_KMOV, " /MOV", Arg::None},
    Switch{C::chb_KA, " /A", Arg::None},
    Switch{C::chb_KB, " /B", Arg::None},
    Switch{C::chb_KCopyAll, " /COPYALL", Arg::None},
    Switch{C::chb_KNOCOPY, " /NOCOPY", Arg::None},
    Switch{C::chb_KMIR, " /MIR", Arg::None},
    Switch{C::chb_KZB, " /ZB", Arg::None},
    Switch{C::chb_KAplus, " /A+:%s", Arg::Letters},
    Switch{C::chb_KCREATE, " /CREATE", Arg::None},
    Switch{C::chb_KPURGE, " /PURGE", Arg::None},
    Switch{C::chb_KMOVE, " /MOVE", Arg::None},
    Switch{C::chb_KFAT, " /FAT", Arg::None},
    Switch{C::chb_KCopy, " /COPY:%s", Arg::Letters},
    Switch{C::chb_KDCOPY, " /DCOPY:T", Arg::None},
    Switch{C::chb_KFFT, " /FFT", Arg::None},
    Switch{C::chb_KLEV, " /LEV:%s", Arg::Text},
    Switch{C::chb_KR, " /R:%s", Arg::Trimmed},
    Switch{C::chb_KW, " /W:%s", Arg::Trimmed},
    Switch{C::chb_FIS, " /IS", Arg::None},
    Switch{C::chb_FIT, " /IT", Arg::None},
    Switch{C::chb_FIA, " /IA:%s", Arg::Letters},
    Switch{C::chb_FXJ, " /XJ", Arg::None},
    Switch{C::chb_FXJD, " /XJD", Arg::None},
    Switch{C::chb_FXJF, " /XJF", Arg::None},
    Switch{C::chb_FXC, " /XC", Arg::None},
    Switch{C::chb_FXN, " /XN", Arg::None},
    Switch{C::chb_FXX, " /XX", Arg::None},
    Switch{C::chb_FXL, " /XL", Arg::None},
    Switch{C::chb_FXA, " /XA:%s", Arg::Letters},
    Switch{C::chb_FXO, " /XO", Arg::None},
    Switch{C::chb_FMAX, " /MAX:%s", Arg::Trimmed},
    Switch{C::chb_FMIN, " /MIN:%s", Arg::Trimmed},
    // Stands for all four indicator boxes: the name lists go in once, whichever are set.
    Switch{C::chb_FIF, " %s", Arg::NameList},
    Switch{C::chb_LV, " /V", Arg::None},
    Switch{C::chb_LTS, " /TS", Arg::None},
    Switch{C::chb_LFP, " /FP", Arg::None},
    Switch{C::chb_LNJH, " /NJH", Arg::None},
    Switch{C::chb_LNJS, " /NJS", Arg::None},
    Switch{C::chb_LNP, " /NP", Arg::None},
    Switch{C::chb_LETA, " /ETA", Arg::None},
    Switch{C::chb_LX, " /X", Arg::None},
    Switch{C::chb_LNS, " /NS", Arg::None},
    Switch{C::chb_LNC, " /NC", Arg::None},
    Switch{C::chb_LNDL, " /NDL", Arg::None},
    Switch{C::chb_LNFL, " /NFL", Arg::None},
    Switch{C::chb_LL, " /L", Arg::None},
    Switch{C::chb_LLOG, " /LOG:\"%s\"", Arg::LogFile},
    Switch{C::chb_LLOGplus, " /LOG+:\"%s\"", Arg::LogFile},
    Switch{C::chb_LUNILOG, " /UNILOG:\"%s\"", Arg::LogFile},
    Switch{C::chb_LUNILOGPlus, " /UNILOG+:\"%s\"", Arg::LogFile},
    Switch{C::chb_LUNICODE, " /UNICODE", Arg::None},
    Switch{C::chb_LTEE, " /TEE", Arg::None},
    Switch{C::chb_LTBD, " /TBD", Arg::None},
    Switch{C::chb_MMON, " /MON:%s", Arg::Trimmed},
    Switch{C::chb_MMOT, " /MOT:%s", Arg::Trimmed},
    Switch{C::chb_MIPG, " /IPG:%s", Arg::Trimmed},
    Switch{C::chb_MPF, " /PF", Arg::None},
    Switch{C::chb_MRH, " /RH:%s-%s", Arg::TimeRange},
};

bool AnyNameListSet(const options::JobState& job) {
    return job.IsOptionSet(C::chb_FIF) || job.IsOptionSet(C::chb_FXF) || job.IsOptionSet(C::chb_FID) ||
           job.IsOptionSet(C::chb_FXD);
}

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

std::string Switches(const options::JobState& job) {
    std::string line;
    for (const Switch& entry : kSwitches) {
        const bool set = entry.arg == Arg::NameList ? AnyNameListSet(job) : job.IsOptionSet(entry.box);
        if (!set) {
            continue;
        }
        const options::OptionInfo* option = options::FindOption(entry.box);
        const auto field = [&](std::size_t index) -> const std::string& { return job.text(option->fields[index]); };
        switch (entry.arg) {
        case Arg::None:
            line += entry.pattern;
            break;
        case Arg::Letters:
            if (const std::string letters = job.tickedLetters(entry.box); !letters.empty()) {
                line += Format(entry.pattern, {letters});
            }
            break;
        case Arg::Text:
            if (!field(0).empty()) {
                line += Format(entry.pattern, {SingleArgument(field(0))});
            }
            break;
        case Arg::LogFile:
            // The pattern quotes the file already; a quote in it would end them early.
            if (!field(0).empty()) {
                std::string file = field(0);
                std::erase(file, '"');
                line += Format(entry.pattern, {file});
            }
            break;
        case Arg::Trimmed:
            if (const std::string_view value = TrimBlanks(field(0)); !value.empty()) {
                line += Format(entry.pattern, {SingleArgument(value)});
            }
            break;
        case Arg::TimeRange: {
            const std::string_view from = TrimBlanks(field(0));
            const std::string_view to = TrimBlanks(field(1));
            if (!from.empty() && !to.empty()) {
                line += Format(entry.pattern, {SingleArgument(from), SingleArgument(to)});
            }
            break;
        }
        case Arg::NameList:
            for (const std::string_view name : options::SplitNameList(job.nameListText())) {
                line += Format(entry.pattern, {CommandLineName(name)});
            }
            break;
        }
    }
    return line;
}

std::string Quoted(std::string_view path) {
    std::string folder = NormaliseFolderPath(path);
    if (!folder.empty() && folder.back() == '\\') {
        folder += '\\'; // "\" alone: doubled, the backslash no longer escapes the closing quote
    }
    return " \"" + folder + "\"";
}

} // namespace

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
        const auto folder = [&](const std::string& path, bool needsUnicode) {
            if (!path.empty()) {
                line += Quoted(needsUnicode ? services.toCodePagePath(path) : path);
            }
        };
        folder(job.sourcePath(), job.sourceNeedsUnicode());
        folder(job.destinationPath(), job.destNeedsUnicode());
        line += Switches(job);
        add(std::move(line));
        log.appendLine("", LogColour::Black);
        return {};
    } catch (const std::exception& exception) {
        return Error::fromException(exception);
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
        return Error::fromException(exception);
    }
}

} // namespace talvex::formats
