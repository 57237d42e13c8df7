// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/JobFileWriter.h"

#include <exception>
#include <span>

#include "core/formats/FurtherOptions.h"
#include "core/formats/SwitchKeyword.h"
#include "core/formats/Text.h"
#include "core/options/NameListText.h"
#include "core/options/OptionCoupling.h"
#include "core/options/SwitchRegistry.h"
#include "core/services/AsciiCase.h"
#include "core/services/Format.h"
#include "core/services/Translate.h"

namespace talvex::formats {

namespace {

using options::ArgumentKind;
using options::JobFileSection;
using options::OptionInfo;

constexpr std::string_view kIndent = "      ";
constexpr std::string_view kDefaultJobName = "~default.rcj";

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

    // A folder section: /NOSD (or /NODD) when its box is set, else the folder of its field.
    void folder(JobFileSection section) {
        heading(options::SectionTitle(section));
        const OptionInfo& option = options::OptionsOf(section).front();
        if (m_job.IsOptionSet(option.box)) {
            add(optionLine(option));
        } else {
            // As the reader takes it back, so that a second save writes the same bytes.
            add(std::string(kIndent) + std::string(option.unsetSwitch) + ":" +
                m_services.toCodePagePath(NormaliseFolderPath(m_job.text(option.fields[0]))));
        }
    }

    void section(JobFileSection section) {
        const std::span<const OptionInfo> rows = options::OptionsOf(section);
        if (!m_job.isAnyOptionSet(rows)) {
            return;
        }
        heading(options::SectionTitle(section));
        if (section == JobFileSection::NameLists) {
            for (const std::string_view line : options::SplitNameList(m_job.nameListText())) {
                add(std::string(kIndent).append(line));
            }
            return;
        }
        for (const OptionInfo& option : rows) {
            if (m_job.IsOptionSet(option.box)) {
                if (std::string line = optionLine(option); !line.empty()) {
                    add(std::move(line));
                }
            }
        }
    }

    // Switches the window does not model, in a section of their own.
    void furtherOptions() {
        const std::vector<std::string> words = FurtherOptionWords(m_job.text(options::Control::edt_KWeitere));
        if (words.empty()) {
            return;
        }
        heading(N_("Weitere Optionen"));
        for (const std::string& word : words) {
            add(std::string(kIndent) + FurtherOptionArgument(word, QuoteRules::JobFile));
        }
    }

private:
    // OneWord, and a word in the log about what it left out and why: the user typed it.
    std::string_view oneWord(std::string_view value, const OptionInfo& option) const {
        const std::string_view word = OneWord(value);
        const std::string_view rest = TrimBlanks(value.substr(word.size()));
        if (!rest.empty()) {
            m_log.appendLine(Format(tr("%s: \"%s\" nicht in die Jobdatei geschrieben, da Robocopy den Text nach "
                                       "dem Leerzeichen als eigene Angabe läse."),
                                    {option.switchName, rest}),
                             LogColour::Red);
        }
        return word;
    }

    // The line of a set option, or empty when its value leaves it out.
    [[nodiscard]] std::string optionLine(const OptionInfo& option) const {
        const std::string comment = tr(option.comment);
        const auto field = [&](std::size_t index) -> const std::string& { return m_job.text(option.fields[index]); };
        std::string body;
        switch (option.argument) {
        case ArgumentKind::FixedText: {
            const std::string letters = FixedTextValue(m_job, option);
            body = Format(option.fileLine, {oneWord(letters, option), comment});
            break;
        }
        case ArgumentKind::Flag:
        case ArgumentKind::Path:
        case ArgumentKind::List:
            body = Format(option.fileLine, {comment});
            break;
        case ArgumentKind::Letters: {
            const std::string letters = m_job.tickedLetters(option.box);
            if (letters.empty()) {
                return {};
            }
            body = Format(option.fileLine, {letters, comment});
            break;
        }
        case ArgumentKind::NumberAsTyped:
            if (field(0).empty()) {
                return {};
            }
            body = Format(option.fileLine, {oneWord(field(0), option), comment});
            break;
        case ArgumentKind::Number:
        case ArgumentKind::PaddedNumber: {
            std::string value(oneWord(TrimBlanks(field(0)), option));
            if (value.empty()) {
                return {};
            }
            if (option.argument == ArgumentKind::PaddedNumber && value.size() < 5) {
                value.resize(5, ' ');
            }
            body = Format(option.fileLine, {value, comment});
            break;
        }
        case ArgumentKind::File: {
            std::string file(options::coupling::LogFileName(field(0)));
            if (file.empty()) {
                file = m_services.defaultLogFile();
            }
            body = Format(option.fileLine, {file, comment});
            break;
        }
        case ArgumentKind::TimeRange: {
            const std::string_view from = oneWord(TrimBlanks(field(0)), option);
            const std::string_view to = oneWord(TrimBlanks(field(1)), option);
            if (from.empty() || to.empty()) {
                return {};
            }
            body = Format(option.fileLine, {from, to, comment});
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
        for (const JobFileSection section : options::kJobFileSections) {
            if (section == JobFileSection::Source || section == JobFileSection::Destination) {
                writer.folder(section);
            } else {
                if (section == JobFileSection::NameLists) {
                    // Before the lists: on POSIX a switch robocopy does not know would read back
                    // as a name of the last list.
                    writer.furtherOptions();
                }
                writer.section(section);
            }
        }
    } catch (const std::exception& exception) {
        produced = Error::FromException(exception);
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
