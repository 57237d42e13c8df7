// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/JobFileReader.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <string>

#include "core/formats/SwitchKeyword.h"
#include "core/formats/Text.h"
#include "core/services/AsciiCase.h"
#include "core/services/Format.h"
#include "core/services/Translate.h"

namespace talvex::formats {

namespace {

using options::Control;
using C = options::Control;
using Kind = SwitchKind;
using Keyword = SwitchKeyword;

// The switch of a line: the text before the first ":" or blank. Robocopy's own files indent with
// tabs and put tabs before their comments, so a tab ends the switch as a blank does.
std::string_view SwitchOf(std::string_view line) {
    std::size_t end = 0;
    while (end < line.size() && line[end] != ':' && static_cast<unsigned char>(line[end]) > 32) {
        ++end;
    }
    return line.substr(0, end);
}

std::string_view SkipBlanksAndColons(std::string_view text) {
    while (!text.empty() && (text.front() == ':' || static_cast<unsigned char>(text.front()) <= 32)) {
        text.remove_prefix(1);
    }
    return text;
}

class Reader {
public:
    Reader(options::JobState& job, const LineList& lines, bool reportFlag, LogSink& log, const FormatServices& services,
           PathStyle nameStyle)
        : m_job(job), m_lines(lines), m_report(reportFlag), m_log(log), m_services(services), m_nameStyle(nameStyle) {}

    Status run() {
        Status status;
        try {
            while (m_next < m_lines.size()) {
                apply(m_lines[m_next++]);
            }
        } catch (const std::exception& exception) {
            // m_next is one past the line being applied, which is the line number counted from 1.
            status =
                Error{Format(tr("Zeile %d: %s"), {std::to_string(m_next), Error::FromException(exception).reason})};
        }
        storeNameList();
        return status;
    }

private:
    void apply(std::string_view rawLine) {
        const std::string_view line = TrimBlanks(CutAtComment(TrimBlanks(rawLine)));
        const std::string_view switchText = SwitchOf(line);
        if (switchText.empty()) {
            return; // comment, rule or empty line
        }
        const std::string_view argument = line.substr(switchText.size());
        const std::optional<Keyword> keyword = FindSwitchKeyword(switchText);
        if (!keyword) {
            // Skipping stays, but silently dropping it on the next save would lose a setting.
            if (switchText.front() == '/') {
                m_log.appendLine(Format(tr("Unbekannte Option wird nicht übernommen: %s"), {line}), LogColour::Red);
            }
            return;
        }
        const Control box = keyword->option->box;
        switch (keyword->kind) {
        case Kind::Flag:
            m_job.TickAndEnable(box);
            if (box != C::chb_KA || m_report) {
                m_log.appendLine(switchText, LogColour::Blue);
            }
            return;
        case Kind::Value:
        case Kind::TimeRange:
        case Kind::Letters:
            applyValue(*keyword, switchText, TrimBlanks(CutAtComment(SkipBlanksAndColons(argument))));
            return;
        case Kind::Path:
            applyPath(box, switchText, SkipBlanksAndColons(argument));
            return;
        case Kind::List:
            applyList(*keyword->option, switchText);
            return;
        }
    }

    void applyValue(const Keyword& keyword, std::string_view switchText, std::string_view value) {
        ApplySwitchValue(m_job, keyword, value);
        if (keyword.option->box != C::chb_KAplus || m_report) {
            m_log.appendLine(Format("%s:%s", {switchText, value}), LogColour::Blue);
        }
    }

    void applyPath(Control noFolderBox, std::string_view switchText, std::string_view written) {
        m_log.appendLine(Format("%s:%s", {switchText, written}), LogColour::Blue);
        std::string path(written);
        if (path.find('~') != std::string::npos) {
            path = m_services.toLongPath(path);
        }
        // Robocopy saves folders with a trailing separator; as the last thing before a closing quote
        // on a command line, "\" would escape the quote.
        path = NormaliseFolderPath(path);
        if (noFolderBox == C::chb_PNoSD) {
            m_job.setText(C::edt_PSD, path);
            m_job.checkSourcePath(path);
        } else {
            m_job.setText(C::edt_PDD, path);
            m_job.checkDestinationPath(path);
        }
        // The handler ticks the box again when the path is empty.
        m_job.setTicked(noFolderBox, false);
    }

    void applyList(const options::OptionInfo& option, std::string_view switchText) {
        m_job.TickAndEnable(option.box);
        appendName(option.switchName);
        m_log.appendLine(switchText, LogColour::Blue);
        while (m_next < m_lines.size()) {
            const std::string_view name = TrimBlanks(CutAtComment(TrimBlanks(m_lines[m_next])));
            if (name.empty() || endsNameBlock(name)) {
                break; // the main loop reads this line as a line of its own
            }
            ++m_next;
            appendName(name);
            if (m_report) {
                m_log.appendLine(name, LogColour::Blue);
            }
        }
        appendName("");
    }

    [[nodiscard]] bool endsNameBlock(std::string_view name) const {
        if (m_nameStyle == PathStyle::Windows) {
            return name.find('/') != std::string_view::npos;
        }
        return FindSwitchKeyword(SwitchOf(name)).has_value();
    }

    // The names are collected here and stored once: storing the growing text for every name would
    // take time quadratic in the length of the lists.
    void appendName(std::string_view name) {
        m_nameList += name;
        m_nameList += '\n';
    }

    void storeNameList() {
        if (!m_nameList.empty()) {
            m_job.setText(C::red_FListe, m_job.nameListText() + m_nameList);
        }
    }

    options::JobState& m_job;
    const LineList& m_lines;
    bool m_report;
    LogSink& m_log;
    const FormatServices& m_services;
    PathStyle m_nameStyle;
    std::size_t m_next = 0;
    std::string m_nameList;
};

} // namespace

Status ReadJobFile(options::JobState& job, const LineList& lines, bool reportFlag, LogSink& log,
                   const FormatServices& services, PathStyle nameStyle) {
    Status result;
    if (!job.Reset()) {
        log.appendLine(tr("Beim Zurücksetzen ist ein Fehler aufgetreten."), LogColour::Red);
        log.appendLine("", LogColour::Black);
    } else {
        if (reportFlag) {
            log.appendLine(tr("Einstellungen zurückgesetzt."), LogColour::Red);
            log.appendLine("", LogColour::Black);
        }
        log.appendLine(tr("Einstellungen laden..."), LogColour::Green);
        log.appendLine("", LogColour::Black);
        try {
            result = Reader(job, lines, reportFlag, log, services, nameStyle).run();
        } catch (const std::exception& exception) {
            result = Error::FromException(exception);
        }
    }
    if (reportFlag) {
        log.appendLine("", LogColour::Black);
    }
    job.refreshCaption();
    return result;
}

bool ParseJobParameter(std::string_view commandLine, LineList& lines, LogSink& log) {
    lines.clear();
    log.appendLine(tr("Parameter laden..."), LogColour::Green);
    log.appendLine("", LogColour::Black);

    std::string_view rest = commandLine;
    if (const std::size_t job = AsciiUpper(rest).find("/JOB"); job != std::string::npos) {
        rest.remove_prefix(job + 1);
    }
    while (!rest.empty()) {
        const std::size_t open = rest.find('"');
        if (open == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(open + 1);
        const std::size_t close = std::min(rest.find('"'), rest.size());
        const std::string_view argument = rest.substr(0, close);
        if (!argument.empty()) {
            lines.emplace_back(argument);
            log.appendLine(argument, LogColour::Blue);
        }
        rest.remove_prefix(std::min(close + 1, rest.size()));
    }
    return true;
}

} // namespace talvex::formats
