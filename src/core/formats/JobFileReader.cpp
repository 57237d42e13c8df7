// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/JobFileReader.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "core/formats/FurtherOptions.h"
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

// The words of a job-file line, read as robocopy reads a command line: split at blanks, with double
// quotes grouping a name that holds blanks. The words are views into the line.
std::vector<std::string_view> SplitWords(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < line.size()) {
        if (static_cast<unsigned char>(line[at]) <= 32) {
            ++at;
            continue;
        }
        const std::size_t begin = at;
        bool quoted = false;
        while (at < line.size() && (quoted || static_cast<unsigned char>(line[at]) > 32)) {
            quoted = quoted != (line[at] == '"');
            ++at;
        }
        words.push_back(line.substr(begin, at - begin));
    }
    return words;
}

// Folders and names never hold a double quote: quotes only group.
std::string WithoutQuotes(std::string_view text) {
    std::string result(text);
    std::erase(result, '"');
    return result;
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
        closeList();
        storeNameList();
        return status;
    }

private:
    // A line holds any number of switches, as on a command line. A name list goes on over comment and
    // blank lines and lines of names (one name a line, blanks included) until the next switch.
    void apply(std::string_view rawLine) {
        const std::string_view line = TrimBlanks(CutAtComment(TrimBlanks(rawLine)));
        if (line.empty()) {
            return; // comment, rule or empty line
        }
        if (!isSwitch(line)) {
            if (m_inList) {
                appendListName(WithoutQuotes(line));
            }
            return; // text without a switch, as in robocopy's headers
        }
        const std::vector<std::string_view> words = SplitWords(line);
        for (std::size_t at = 0; at < words.size();) {
            at = applyWord(line, words, at);
        }
    }

    // Applies the word at `at` and returns the index of the next word not yet used.
    std::size_t applyWord(std::string_view line, const std::vector<std::string_view>& words, std::size_t at) {
        const std::string_view word = words[at];
        if (!isSwitch(word)) {
            if (m_inList) {
                appendListName(WithoutQuotes(word));
            } else {
                m_log.appendLine(Format(tr("Text ohne Option wird nicht übernommen: %s"), {word}), LogColour::Red);
            }
            return at + 1;
        }
        closeList();
        const std::string_view switchText = SwitchOf(word);
        const std::optional<Keyword> keyword = FindSwitchKeyword(switchText);
        const std::string_view argument = word.substr(switchText.size());
        if (!keyword) {
            KeepFurtherOption(m_job, word, m_log);
            return at + 1;
        }
        const Control box = keyword->option->box;
        switch (keyword->kind) {
        case Kind::Flag:
            m_job.TickAndEnable(box);
            if (box != C::chb_KA || m_report) {
                m_log.appendLine(switchText, LogColour::Blue);
            }
            return at + 1;
        case Kind::Path:
            return applyRestOfLine(*keyword, line, words, at);
        case Kind::Value:
            if (keyword->option->argument == options::ArgumentKind::File) {
                return applyRestOfLine(*keyword, line, words, at);
            }
            [[fallthrough]];
        case Kind::TimeRange:
        case Kind::Letters: {
            std::string_view value = SkipBlanksAndColons(argument);
            // "/R: 7": a value written after the colon's blank still belongs to its switch.
            if (value.empty() && !argument.empty() && at + 1 < words.size() && !isSwitch(words[at + 1])) {
                value = words[++at];
            }
            applyValue(*keyword, switchText, WithoutQuotes(value));
            return at + 1;
        }
        case Kind::List:
            m_job.TickAndEnable(box);
            appendName(keyword->option->switchName);
            m_log.appendLine(switchText, LogColour::Blue);
            m_inList = true;
            return at + 1;
        }
        return at + 1;
    }

    // Folders and log files may hold blanks without quotes: their value runs to the next switch.
    std::size_t applyRestOfLine(const Keyword& keyword, std::string_view line,
                                const std::vector<std::string_view>& words, std::size_t at) {
        std::size_t next = at + 1;
        // A blank followed by "/" may go on a POSIX folder; only a switch robocopy knows ends it there.
        while (next < words.size() && !(isSwitch(words[next]) && (m_nameStyle == PathStyle::Windows ||
                                                                  IsRobocopySwitch(SwitchOf(words[next]))))) {
            ++next;
        }
        const std::size_t begin = static_cast<std::size_t>(words[at].data() - line.data()) + SwitchOf(words[at]).size();
        const std::size_t end =
            next < words.size() ? static_cast<std::size_t>(words[next].data() - line.data()) : line.size();
        const std::string value = WithoutQuotes(TrimBlanks(SkipBlanksAndColons(line.substr(begin, end - begin))));
        if (keyword.kind == Kind::Path) {
            applyPath(keyword.option->box, SwitchOf(words[at]), value);
        } else {
            applyValue(keyword, SwitchOf(words[at]), value);
        }
        return next;
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

    // A word that starts a switch. Windows names never start with "/"; absolute POSIX names do, so
    // there only a switch robocopy knows ends a list.
    [[nodiscard]] bool isSwitch(std::string_view word) const {
        if (word.empty() || word.front() != '/') {
            return false;
        }
        return m_nameStyle == PathStyle::Windows || !m_inList || IsRobocopySwitch(SwitchOf(word));
    }

    void appendListName(std::string_view name) {
        if (name.empty()) {
            return;
        }
        appendName(name);
        if (m_report) {
            m_log.appendLine(name, LogColour::Blue);
        }
    }

    void closeList() {
        if (m_inList) {
            appendName("");
            m_inList = false;
        }
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
    bool m_inList = false;
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
        // An empty pair of quotes holds a folder's place (a destination behind an empty source).
        const std::string_view argument = rest.substr(0, close);
        lines.emplace_back(argument);
        if (!argument.empty()) {
            log.appendLine(argument, LogColour::Blue);
        }
        rest.remove_prefix(std::min(close + 1, rest.size()));
    }
    return true;
}

} // namespace talvex::formats
