// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/JobFileWriter.h"

#include <array>
#include <exception>
#include <span>

#include "core/formats/Text.h"
#include "core/options/NameListText.h"
#include "core/options/OptionCatalogue.h"
#include "core/services/AsciiCase.h"
#include "core/services/Format.h"
#include "core/services/Translate.h"

namespace talvex::formats {

namespace {

using options::Control;
using C = options::Control;

constexpr std::string_view kIndent = "      ";
constexpr std::string_view kDefaultJobName = "~default.rcj";

enum class Value {
    None,      ///< flag: the comment is the only argument
    Letters,   ///< the ticked letters; no line without one
    Text,      ///< the edit text unchanged; no line when empty
    Trimmed,   ///< the edit text trimmed; no line when empty
    Padded,    ///< trimmed, then padded to five characters so the comments line up
    LogFile,   ///< edt_LLOG, or the default log file when it is empty
    TimeRange, ///< both times trimmed; no line unless both are given
};

struct Row {
    Control box;
    std::string_view pattern;
    Value value;
};

struct Section {
    const char* title;
    std::span<const Row> rows;
};

// The line bodies keep robocopy's own column layout: the switch in a field of nine characters,
// then the comment. Lines with a value break the field; their spacing is part of the format.
constexpr std::array kCopyRows = {
    Row{C::chb_KS, "/S       :: %s", Value::None},       Row{C::chb_KE, "/E       :: %s", Value::None},
    Row{C::chb_KM, "/M       :: %s", Value::None},       Row{C::chb_KZ, "/Z       :: %s", Value::None},
    Row{C::chb_KAminus, "/A-:%s :: %s", Value::Letters}, Row{C::chb_KSEC, "/SEC     :: %s", Value::None},
    Row{C::chb_KMOV, "/MOV     :: %s", Value::None},     Row{C::chb_KA, "/A       :: %s", Value::None},
    Row{C::chb_KB, "/B       :: %s", Value::None},       Row{C::chb_KCopyAll, "/COPYALL :: %s", Value::None},
    Row{C::chb_KNOCOPY, "/NOCOPY  :: %s", Value::None},  Row{C::chb_KMIR, "/MIR     :: %s", Value::None},
    Row{C::chb_KZB, "/ZB      :: %s", Value::None},      Row{C::chb_KAplus, "/A+:%s :: %s", Value::Letters},
    Row{C::chb_KCREATE, "/CREATE  :: %s", Value::None},  Row{C::chb_KPURGE, "/PURGE   :: %s", Value::None},
    Row{C::chb_KMOVE, "/MOVE    :: %s", Value::None},    Row{C::chb_KFAT, "/FAT     :: %s", Value::None},
    Row{C::chb_KCopy, "/COPY:%s :: %s", Value::Letters}, Row{C::chb_KDCOPY, "/DCOPY:T :: %s", Value::None},
    Row{C::chb_KFFT, "/FFT     :: %s", Value::None},     Row{C::chb_KLEV, "/LEV:%s  :: %s", Value::Text},
};
constexpr std::array kRetryRows = {
    Row{C::chb_KR, "/R:%s :: %s", Value::Padded},
    Row{C::chb_KW, "/W:%s :: %s", Value::Padded},
};
constexpr std::array kIncludeRows = {
    Row{C::chb_FIS, "/IS      :: %s", Value::None},
    Row{C::chb_FIT, "/IT      :: %s", Value::None},
    Row{C::chb_FIA, "/IA:%s  :: %s", Value::Letters},
};
constexpr std::array kExcludeRows = {
    Row{C::chb_FXJ, "/XJ      :: %s", Value::None},     Row{C::chb_FXJD, "/XJD     :: %s", Value::None},
    Row{C::chb_FXJF, "/XJF     :: %s", Value::None},    Row{C::chb_FXC, "/XC      :: %s", Value::None},
    Row{C::chb_FXN, "/XN      :: %s", Value::None},     Row{C::chb_FXX, "/XX      :: %s", Value::None},
    Row{C::chb_FXL, "/XL      :: %s", Value::None},     Row{C::chb_FXA, "/XA:%s :: %s", Value::Letters},
    Row{C::chb_FXO, "/XO      :: %s", Value::None},     Row{C::chb_FMAX, "/MAX:%s  :: %s", Value::Trimmed},
    Row{C::chb_FMIN, "/MIN:%s  :: %s", Value::Trimmed},
};
constexpr std::array kLogRows = {
    Row{C::chb_LV, "/V       :: %s", Value::None},
    Row{C::chb_LTS, "/TS      :: %s", Value::None},
    Row{C::chb_LFP, "/FP      :: %s", Value::None},
    Row{C::chb_LNJH, "/NJH     :: %s", Value::None},
    Row{C::chb_LNJS, "/NJS     :: %s", Value::None},
    Row{C::chb_LNP, "/NP      :: %s", Value::None},
    Row{C::chb_LETA, "/ETA     :: %s", Value::None},
    Row{C::chb_LX, "/X       :: %s", Value::None},
    Row{C::chb_LNS, "/NS      :: %s", Value::None},
    Row{C::chb_LNC, "/NC      :: %s", Value::None},
    Row{C::chb_LNDL, "/NDL     :: %s", Value::None},
    Row{C::chb_LNFL, "/NFL     :: %s", Value::None},
    Row{C::chb_LL, "/L       :: %s", Value::None},
    Row{C::chb_LLOG, "/LOG:%s  :: %s", Value::LogFile},
    Row{C::chb_LLOGplus, "/LOG+:%s  :: %s", Value::LogFile},
    Row{C::chb_LUNILOG, "/UNILOG:%s  :: %s", Value::LogFile},
    Row{C::chb_LUNILOGPlus, "/UNILOG+:%s  :: %s", Value::LogFile},
    Row{C::chb_LUNICODE, "/UNICODE :: %s", Value::None},
    Row{C::chb_LTEE, "/TEE     :: %s", Value::None},
    // Three blanks, not five: files written so are in use, and robocopy does not mind.
    Row{C::chb_LTBD, "/TBD   :: %s", Value::None},
};
constexpr std::array kMonitorRows = {
    Row{C::chb_MMON, "/MON:%s  :: %s", Value::Trimmed},    Row{C::chb_MMOT, "/MOT:%s  :: %s", Value::Trimmed},
    Row{C::chb_MIPG, "/IPG:%s  :: %s", Value::Trimmed},    Row{C::chb_MPF, "/PF      :: %s", Value::None},
    Row{C::chb_MRH, "/RH:%s-%s  :: %s", Value::TimeRange},
};

constexpr std::array kListBoxes = {C::chb_FIF, C::chb_FXF, C::chb_FID, C::chb_FXD};

// Robocopy reads every word of a job file line that starts with "/" as a switch, so "5 /PURGE"
// typed into the retry field would add a /PURGE of its own. A value ends at its first inner blank
// when more text follows; blanks around it are written as they stand.
std::string_view OneWord(std::string_view value) {
    const std::size_t start = value.find_first_not_of(" \t");
    if (start == std::string_view::npos) {
        return value;
    }
    const std::size_t blank = value.find_first_of(" \t", start);
    if (blank == std::string_view::npos || value.find_first_not_of(" \t", blank) == std::string_view::npos) {
        return value;
    }
    return value.substr(0, blank);
}

class Writer {
public:
    Writer(const options::JobState& job, LineList& lines, LogSink& log, const FormatServices& services)
        : m_job(job), m_lines(lines), m_log(log), m_services(services) {}

    void add(std::string line) {
        m_log.appendLine(line, LogColour::Navy);
        m_lines.push_back(std::move(line));
    }

    void header(std::string_view fileName) {
        const std::string version = m_services.versionText();
        // Date and time are read one after the other, as the headers always did.
        const std::string date = m_services.dateText();
        const std::string time = m_services.timeText();
        add("::");
        if (FileNamePart(fileName, PathStyle::Windows) == kDefaultJobName) {
            add(Format(tr(":: Voreinstellungen für Brenno's Talvex %s"), {version}));
            add("::");
            add(Format(tr(":: Erstellt am %s um %s"), {date, time}));
        } else {
            add(Format(tr(":: Robocopy Job %s"), {AsciiUpper(fileName)}));
            add("::");
            add(Format(tr(":: Erstellt mit Brenno's Talvex %s am %s um %s"), {version, date, time}));
        }
        add("::");
    }

    void heading(const char* title) {
        add("");
        add("::");
        add(Format(":: %s", {tr(title)}));
        add("::");
    }

    void folder(const char* title, Control noFolderBox, std::string_view pathSwitch, Control pathField) {
        heading(title);
        if (m_job.IsOptionSet(noFolderBox)) {
            add(optionLine(
                Row{noFolderBox, noFolderBox == C::chb_PNoSD ? "/NOSD    :: %s" : "/NODD    :: %s", Value::None}));
        } else {
            add(std::string(kIndent) + std::string(pathSwitch) + m_services.toCodePagePath(m_job.text(pathField)));
        }
    }

    void section(const Section& section) {
        if (!anySet(section.rows)) {
            return;
        }
        heading(section.title);
        for (const Row& row : section.rows) {
            if (m_job.IsOptionSet(row.box)) {
                if (std::string line = optionLine(row); !line.empty()) {
                    add(std::move(line));
                }
            }
        }
    }

    void nameLists() {
        bool any = false;
        for (const Control box : kListBoxes) {
            any = any || m_job.IsOptionSet(box);
        }
        if (!any) {
            return;
        }
        heading(options::kNameListSectionTitle);
        for (const std::string_view line : options::SplitNameList(m_job.nameListText())) {
            add(std::string(kIndent).append(line));
        }
    }

private:
    [[nodiscard]] bool anySet(std::span<const Row> rows) const {
        for (const Row& row : rows) {
            if (m_job.IsOptionSet(row.box)) {
                return true;
            }
        }
        return false;
    }

    // The line of a set option, or empty when its value leaves it out.
    [[nodiscard]] std::string optionLine(const Row& row) const {
        const options::OptionInfo& option = *options::FindOption(row.box);
        const std::string comment = tr(option.comment);
        const auto field = [&](std::size_t index) -> const std::string& { return m_job.text(option.fields[index]); };
        std::string body;
        switch (row.value) {
        case Value::None:
            body = Format(row.pattern, {comment});
            break;
        case Value::Letters: {
            const std::string letters = m_job.tickedLetters(row.box);
            if (letters.empty()) {
                return {};
            }
            body = Format(row.pattern, {letters, comment});
            break;
        }
        case Value::Text:
            if (field(0).empty()) {
                return {};
            }
            body = Format(row.pattern, {OneWord(field(0)), comment});
            break;
        case Value::Trimmed:
        case Value::Padded: {
            std::string value(OneWord(TrimBlanks(field(0))));
            if (value.empty()) {
                return {};
            }
            if (row.value == Value::Padded && value.size() < 5) {
                value.resize(5, ' ');
            }
            body = Format(row.pattern, {value, comment});
            break;
        }
        case Value::LogFile: {
            const std::string& file = field(0);
            body = Format(row.pattern, {file.empty() ? m_services.defaultLogFile() : file, comment});
            break;
        }
        case Value::TimeRange: {
            const std::string_view from = OneWord(TrimBlanks(field(0)));
            const std::string_view to = OneWord(TrimBlanks(field(1)));
            if (from.empty() || to.empty()) {
                return {};
            }
            body = Format(row.pattern, {from, to, comment});
            break;
        }
        }
        return std::string(kIndent) + body;
    }

    const options::JobState& m_job;
    LineList& m_lines;
    LogSink& m_log;
    const FormatServices& m_services;
};

} // namespace

Status WriteJobFile(const options::JobState& job, std::string_view fileName, LineList& lines, LogSink& log,
                    const FormatServices& services) {
    log.appendLine(tr("Job erstellen..."), LogColour::Green);
    log.appendLine("", LogColour::Black);
    lines.clear();
    Status produced;
    try {
        Writer writer(job, lines, log, services);
        writer.header(fileName);
        writer.folder(N_("Quellverzeichnis"), C::chb_PNoSD, "/SD:", C::edt_PSD);
        writer.folder(N_("Zielverzeichnis"), C::chb_PNoDD, "/DD:", C::edt_PDD);
        writer.section({N_("Kopieroptionen"), kCopyRows});
        writer.section({N_("Wiederholungsoptionen"), kRetryRows});
        writer.section({N_("Einzuschliessende Dateien"), kIncludeRows});
        writer.section({N_("Auszuschließende Dateien"), kExcludeRows});
        writer.nameLists();
        writer.section({N_("Logoptionen"), kLogRows});
        writer.section({N_("Überwachungsoptionen"), kMonitorRows});
    } catch (const std::exception& exception) {
        produced = Error::fromException(exception);
    }
    log.appendLine("", LogColour::Black);
    return produced;
}

std::string DefaultLogFile(std::string_view appDataFolder, std::string_view documentsFolder,
                           const std::function<bool(const std::string&)>& folderExists, PathStyle style) {
    std::string folder = JoinPath(appDataFolder, "Talvex", style);
    if (!folderExists(folder)) {
        folder = std::string(documentsFolder);
    }
    return JoinPath(folder, "tmp.log", style);
}

} // namespace talvex::formats
