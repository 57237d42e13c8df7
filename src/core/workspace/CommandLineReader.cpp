// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/workspace/CommandLineReader.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <vector>

#include "core/formats/FurtherOptions.h"
#include "core/formats/SwitchKeyword.h"
#include "core/formats/Text.h"
#include "core/services/AsciiCase.h"
#include "core/services/Format.h"
#include "core/services/Translate.h"
#include "platform/WindowsCommandLine.h"

namespace talvex::workspace {

namespace {

using C = options::Control;
using formats::SwitchKind;

struct Switch {
    std::string_view token; ///< up to the first ":"
    std::string_view value; ///< after it, empty without one
};

Switch SplitSwitch(std::string_view argument) {
    const std::size_t colon = argument.find(':');
    if (colon == std::string_view::npos) {
        return {argument, {}};
    }
    return {argument.substr(0, colon), argument.substr(colon + 1)};
}

// /SD and /DD exist only inside job files; robocopy rejects them on a command line.
std::optional<formats::SwitchKeyword> CommandLineKeyword(std::string_view token) {
    auto keyword = formats::FindSwitchKeyword(token);
    if (keyword && keyword->kind == SwitchKind::Path) {
        return std::nullopt;
    }
    return keyword;
}

// The line as its writer meant it, for the Windows argument rules. Files written by hand and by
// earlier programs of this kind close a quoted folder right after its trailing backslash
// ("E:\" "F:\x"), where the rules read an escaped quote and swallow the rest of the line; and they
// put the next switch right after a closing quote ("D:\x"/MIR). Both are read as meant: an odd
// backslash run before a quote that ends the quoted text (blank or line end after it) gets one
// more backslash, and a blank goes between a closing quote and a following "/".
std::string AsWritten(std::string_view line, bool& ambiguous) {
    std::string out;
    bool quoted = false;
    std::size_t backslashes = 0;
    for (std::size_t at = 0; at < line.size(); ++at) {
        const char c = line[at];
        if (c == '\\') {
            ++backslashes;
            out += c;
            continue;
        }
        if (c == '"') {
            const bool endsText = at + 1 == line.size() || static_cast<unsigned char>(line[at + 1]) <= 32;
            if (backslashes % 2 == 1 && quoted && endsText) {
                out += '\\';
                ambiguous = true;
                ++backslashes;
            }
            if (backslashes % 2 == 0) {
                quoted = !quoted;
            }
            out += c;
            if (!quoted && at + 1 < line.size() && line[at + 1] == '/') {
                out += ' ';
            }
        } else {
            out += c;
        }
        backslashes = 0;
    }
    return out;
}

// An output redirection or a command separator of the command interpreter: "1>>", ">log", "2>&1", "|".
bool IsRedirection(std::string_view argument) {
    const std::size_t digits = argument.find_first_not_of("0123456789");
    return digits != std::string_view::npos &&
           std::string_view("<>|&").find(argument[digits]) != std::string_view::npos;
}

class LineReader {
public:
    LineReader(options::JobState& job, LogSink& log, const formats::FormatServices& services, PathStyle nameStyle)
        : m_job(job), m_log(log), m_services(services), m_nameStyle(nameStyle) {}

    void run(std::string_view line) {
        bool ambiguous = false;
        m_args = platform::SplitWindowsCommandLine(AsWritten(line, ambiguous));
        if (ambiguous) {
            m_log.appendLine(Format(tr("Mehrdeutige Zeile, \\\" als Ende eines Ordners gelesen: %s"), {line}),
                             LogColour::Red);
        }
        if (!m_args.empty() && AsciiUpper(m_args.front()) == "CALL") {
            ++m_next;
        }
        ++m_next; // the program name
        while (m_next < m_args.size()) {
            const std::string& argument = m_args[m_next++];
            // A quoted " /X" is a switch as a name list sees it, so it is one here too.
            if (!isSwitch(formats::TrimBlanks(argument))) {
                if (m_folders < 2) {
                    folder(m_folders++ == 0, argument);
                } else {
                    fileName(argument);
                }
                continue;
            }
            apply(formats::TrimBlanks(argument));
        }
        if (!m_fileNames.empty()) {
            // Robocopy takes the plain arguments after the two folders as the files to copy; its own
            // saved jobs hold them as /IF names, and so does the job here.
            m_job.TickAndEnable(C::chb_FIF);
            m_names = "/IF\n" + m_fileNames + "\n" + m_names;
        }
        if (!m_names.empty()) {
            m_job.setText(C::red_FListe, m_job.nameListText() + m_names);
        }
    }

private:
    void folder(bool source, std::string_view written) {
        if (written.empty()) {
            return;
        }
        std::string path(written);
        std::erase(path, '"'); // no folder holds one; an unbalanced quote must not become part of it
        if (path.find('~') != std::string::npos) {
            path = m_services.toLongPath(path);
        }
        path = formats::NormaliseFolderPath(path);
        if (source) {
            m_job.setText(C::edt_PSD, path);
            m_job.checkSourcePath(path);
            m_job.setTicked(C::chb_PNoSD, false);
        } else {
            m_job.setText(C::edt_PDD, path);
            m_job.checkDestinationPath(path);
            m_job.setTicked(C::chb_PNoDD, false);
        }
        m_log.appendLine(Format("%s: %s", {source ? tr("Quelle") : tr("Ziel"), path}), LogColour::Blue);
    }

    void fileName(std::string_view argument) {
        const std::string_view name = formats::TrimBlanks(argument);
        if (IsRedirection(name)) {
            // "1>> log 2>&1" belongs to the command interpreter, not to robocopy: no file names.
            if (name.find_first_not_of("0123456789<>") == std::string_view::npos && m_next < m_args.size()) {
                ++m_next; // the target of "1>>" written apart
            }
            m_log.appendLine(Format(tr("Umleitung wird nicht übernommen: %s"), {name}), LogColour::Red);
            return;
        }
        if (!name.empty()) {
            m_fileNames += name;
            m_fileNames += '\n';
            m_log.appendLine(Format("/IF %s", {name}), LogColour::Blue);
        }
    }

    void apply(std::string_view argument) {
        const Switch parts = SplitSwitch(argument);
        const std::optional<formats::SwitchKeyword> keyword = CommandLineKeyword(parts.token);
        if (!keyword) {
            // A quote left in an argument was written escaped ("/XF\""). Further options have no way to
            // hold one, and without it the word could read back as another switch ("/XF").
            if (argument.find('"') != std::string_view::npos) {
                m_log.appendLine(Format(tr("Option mit Anführungszeichen wird nicht übernommen: %s"), {argument}),
                                 LogColour::Red);
                return;
            }
            formats::KeepFurtherOption(m_job, argument, m_log);
            return;
        }
        switch (keyword->kind) {
        case SwitchKind::Flag:
        case SwitchKind::Path:
            m_job.TickAndEnable(keyword->option->box);
            m_log.appendLine(parts.token, LogColour::Blue);
            return;
        case SwitchKind::TimeRange:
            if (parts.value.size() != 9) {
                return; // hhmm-hhmm or nothing
            }
            [[fallthrough]];
        case SwitchKind::Value:
        case SwitchKind::Letters:
            formats::ApplySwitchValue(m_job, *keyword, parts.value);
            m_log.appendLine(Format("%s:%s", {parts.token, parts.value}), LogColour::Blue);
            return;
        case SwitchKind::List:
            list(*keyword->option, parts.token);
            return;
        }
    }

    void list(const options::OptionInfo& option, std::string_view token) {
        m_job.TickAndEnable(option.box);
        m_log.appendLine(token, LogColour::Blue);
        m_names += option.switchName;
        m_names += '\n';
        // An empty pair of quotes names nothing; as a line it would end the block early. Blanks
        // and control characters around a name are trimmed, as in job files.
        while (m_next < m_args.size()) {
            const std::string_view name = formats::TrimBlanks(m_args[m_next]);
            if (endsNameList(name) || IsRedirection(name)) {
                break;
            }
            ++m_next;
            if (!name.empty()) {
                m_names += name;
                m_names += '\n';
            }
        }
        m_names += '\n';
    }

    // POSIX folders start with "/" as switches do: there a known switch is a switch, and anything
    // else is a folder while one of the two is still missing ("/home" looks like a switch).
    [[nodiscard]] bool isSwitch(std::string_view argument) const {
        if (argument.empty() || argument.front() != '/') {
            return false;
        }
        if (m_nameStyle == PathStyle::Windows || formats::IsRobocopySwitch(SplitSwitch(argument).token)) {
            return true;
        }
        return m_folders >= 2;
    }

    // On POSIX a switch robocopy knows ends a name list, modelled or not ("/MT:8", "/J"); "/ZZZ" there
    // would be an absolute name.
    [[nodiscard]] bool endsNameList(std::string_view argument) const {
        if (argument.empty() || argument.front() != '/') {
            return false;
        }
        return m_nameStyle == PathStyle::Windows || formats::IsRobocopySwitch(SplitSwitch(argument).token);
    }

    options::JobState& m_job;
    LogSink& m_log;
    const formats::FormatServices& m_services;
    PathStyle m_nameStyle;
    std::vector<std::string> m_args;
    std::size_t m_next = 0;
    int m_folders = 0;
    std::string m_names;
    std::string m_fileNames;
};

} // namespace

Status ParseCommandLine(options::JobState& job, std::string_view line, bool announceReset, LogSink& log,
                        const formats::FormatServices& services, PathStyle nameStyle) {
    if (!job.Reset()) {
        return Error{tr("Beim Zurücksetzen ist ein Fehler aufgetreten.")};
    }
    try {
        if (announceReset) {
            log.appendLine(tr("Einstellungen zurückgesetzt."), LogColour::Red);
            log.appendLine("", LogColour::Black);
        }
        log.appendLine(tr("Einstellungen laden..."), LogColour::Green);
        log.appendLine("", LogColour::Black);
        job.setText(C::edt_PSD, "");
        job.setText(C::edt_PDD, "");
        LineReader(job, log, services, nameStyle).run(line);
        log.appendLine("", LogColour::Black);
        return {};
    } catch (const std::exception& exception) {
        return Error::FromException(exception);
    }
}

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsNameCharacter(char c) {
    return static_cast<unsigned char>(c) > 32 && c != '%' && c != '"' && c != '\\' && c != '/' && c != ':';
}

// The length of the batch variable reference that starts at `at` ("%1", "%*", "%~dp0", "%NAME%",
// "%date:~10,4%", "%PATH:a=b%"), or 0 when the "%" there is a plain percent sign.
std::size_t VariableReferenceAt(std::string_view line, std::size_t at) {
    std::size_t next = at + 1;
    if (next < line.size() && (IsDigit(line[next]) || line[next] == '*')) {
        return 2;
    }
    if (next < line.size() && line[next] == '~') {
        ++next;
        while (next < line.size() && std::string_view("fdpnxsatz").find(line[next]) != std::string_view::npos) {
            ++next;
        }
        return next < line.size() && IsDigit(line[next]) ? next + 1 - at : 0;
    }
    while (next < line.size() && IsNameCharacter(line[next])) {
        ++next;
    }
    if (next == at + 1 || next == line.size()) {
        return 0;
    }
    if (line[next] == ':') { // substring or replace form: anything up to the closing "%"
        while (next < line.size() && line[next] != '%' && line[next] != '"') {
            ++next;
        }
    }
    return next < line.size() && line[next] == '%' ? next + 1 - at : 0;
}

} // namespace

std::string EscapeBatchPercent(std::string_view line) {
    std::string out;
    out.reserve(line.size());
    for (std::size_t at = 0; at < line.size(); ++at) {
        if (line[at] != '%') {
            out += line[at];
        } else if (const std::size_t length = VariableReferenceAt(line, at); length > 0) {
            out += line.substr(at, length);
            at += length - 1;
        } else {
            out += "%%";
        }
    }
    return out;
}

std::string UnescapeBatchPercent(std::string_view line) {
    std::string out;
    out.reserve(line.size());
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] != '%') {
            out += line[i];
        } else if (i + 1 < line.size() && line[i + 1] == '%') {
            out += '%';
            ++i;
        } else {
            // A reference is taken whole, so the "%" that closes it never pairs with a following one.
            const std::size_t length = std::max<std::size_t>(VariableReferenceAt(line, i), 1);
            out += line.substr(i, length);
            i += length - 1;
        }
    }
    return out;
}

} // namespace talvex::workspace
