// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/CommandLine.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "engine/Attributes.h"
#include "engine/Text.h"
#include "shared/RobocopySwitches.h"

namespace robocopy {

namespace {

using Kind = SwitchKind;
using Switch = KnownSwitch;

// /MT without a number, and the most it allows.
constexpr int kDefaultThreads = 8;
constexpr std::uint64_t kMaxThreads = 128;

// The switch name of a token: the text after "/" up to the first ":", upper-cased.
std::string SwitchName(std::string_view token) {
    token.remove_prefix(1);
    return ToUpperAscii(token.substr(0, token.find(':')));
}

const Switch* FindSwitch(std::string_view token) {
    if (token.size() < 2 || token.front() != '/') {
        return nullptr;
    }
    return FindKnownSwitch(SwitchName(token));
}

// Switches whose value is the whole rest of a job file line, since paths may hold spaces.
bool TakesRestOfLine(std::string_view name) {
    return name == "SD" || name == "DD" || name == "LOG" || name == "LOG+" || name == "UNILOG" || name == "UNILOG+";
}

std::string_view CutComment(std::string_view line) {
    const auto comment = line.find("::");
    return TrimBlanks(comment == std::string_view::npos ? line : line.substr(0, comment));
}

std::string Unquote(std::string_view text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
        text = text.substr(1, text.size() - 2);
    }
    return std::string(text);
}

// Windows writes "*.*" for "every file", also for names without a dot.
std::string NormalisePattern(std::string_view pattern) {
    if (pattern == "*.*") {
        return "*";
    }
    while (pattern.size() > 1 && pattern.back() == '/') {
        pattern.remove_suffix(1);
    }
    return std::string(pattern);
}

std::optional<std::uint64_t> ParseNumber(std::string_view text) {
    std::uint64_t value = 0;
    const auto* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end) {
        return std::nullopt;
    }
    return value;
}

// /RH:hhmm-hhmm, each time of the day from 0000 to 2359; the hours may run past midnight.
bool ParseRunHours(std::string_view value, Options& options) {
    const auto minuteOfDay = [](std::string_view text) -> int {
        const auto number = ParseNumber(text);
        if (text.size() != 4 || !number || *number / 100 > 23 || *number % 100 > 59) {
            return -1;
        }
        return static_cast<int>(*number / 100 * 60 + *number % 100);
    };
    if (value.size() != 9 || value[4] != '-') {
        return false;
    }
    options.runHoursStart = minuteOfDay(value.substr(0, 4));
    options.runHoursEnd = minuteOfDay(value.substr(5));
    return options.runHoursStart >= 0 && options.runHoursEnd >= 0;
}

// Splits a job file line into tokens at blanks, keeping double-quoted runs together.
std::vector<std::string> SplitLine(std::string_view line) {
    std::vector<std::string> tokens;
    std::string current;
    bool quoted = false;
    bool any = false;
    for (const char c : line) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (!quoted && static_cast<unsigned char>(c) <= 32) {
            if (any) {
                tokens.push_back(current);
            }
            current.clear();
            any = false;
        } else {
            current.push_back(c);
            any = true;
        }
    }
    if (any) {
        tokens.push_back(current);
    }
    return tokens;
}

// The flags that switch on a single option.
struct OneOptionFlag {
    std::string_view name;
    bool Options::*option;
};

constexpr auto kOneOptionFlags = std::to_array<OneOptionFlag>({
    {"S", &Options::subdirectories},
    {"E", &Options::emptyDirectories},
    {"PURGE", &Options::purge},
    {"MOV", &Options::moveFiles},
    {"CREATE", &Options::createOnly},
    {"L", &Options::listOnly},
    {"XO", &Options::excludeOlder},
    {"XN", &Options::excludeNewer},
    {"XC", &Options::excludeChanged},
    {"XX", &Options::excludeExtra},
    {"XL", &Options::excludeLonely},
    {"IS", &Options::includeSame},
    {"IT", &Options::includeTweaked},
    {"FFT", &Options::fatTimes},
    {"XJ", &Options::excludeLinks},
    {"XJD", &Options::excludeDirLinks},
    {"XJF", &Options::excludeFileLinks},
    {"SL", &Options::copyLinks},
    {"SJ", &Options::copyLinks},
    {"V", &Options::verbose},
    {"TS", &Options::timestamps},
    {"FP", &Options::fullPaths},
    {"NS", &Options::noSizes},
    {"NC", &Options::noClasses},
    {"NDL", &Options::noDirectoryList},
    {"NFL", &Options::noFileList},
    {"NJH", &Options::noHeader},
    {"NJS", &Options::noSummary},
    {"NP", &Options::noProgress},
    {"X", &Options::reportExtras},
    {"ETA", &Options::eta},
    {"BYTES", &Options::rawBytes},
    {"TEE", &Options::tee},
    {"UNICODE", &Options::unicodeOutput},
    {"QUIT", &Options::quit},
    {"NOSD", &Options::noSourceSaved},
    {"A", &Options::archiveOnly},
    {"M", &Options::resetArchive},
    {"PF", &Options::runHoursPerFile},
    {"TBD", &Options::waitForShares},
    {"Z", &Options::restartable},
    {"B", &Options::backupMode},
    {"FAT", &Options::fatNames},
    {"NODD", &Options::noDestinationSaved},
});

// The letters of /COPY:, or nothing when one of them is unknown.
std::optional<CopyFlags> ParseCopyFlags(std::string_view value) {
    CopyFlags flags{false, false, false, false, false, false};
    for (const char c : ToUpperAscii(value)) {
        switch (c) {
        case 'D':
            flags.data = true;
            break;
        case 'A':
            flags.attributes = true;
            break;
        case 'T':
            flags.times = true;
            break;
        case 'S':
            flags.security = true;
            break;
        case 'O':
            flags.owner = true;
            break;
        case 'U':
            flags.auditing = true;
            break;
        case 'X':
            break; // skip alternate data streams: there are none here
        default:
            return std::nullopt;
        }
    }
    return flags;
}

class Parser final {
public:
    explicit Parser(const FileReader& readFile) : m_readFile(readFile) {}

    ParseResult run(const std::vector<std::string>& arguments) {
        if (arguments.empty()) {
            m_result.showUsage = true;
            return m_result;
        }
        std::vector<Argument> expanded;
        for (std::size_t i = 0; i < arguments.size() && m_result.error.empty(); ++i) {
            const std::string& text = arguments[i];
            const Switch* found = FindSwitch(text);
            if (found != nullptr && found->name == "JOB") {
                expandJob(text, i + 1, expanded);
            } else {
                expanded.push_back(Argument{text, false, false});
                m_position.push_back(i + 1);
            }
        }
        for (std::size_t i = 0; i < expanded.size() && m_result.error.empty(); ++i) {
            apply(expanded[i], i < m_position.size() ? m_position[i] : 0);
        }
        if (m_result.error.empty() && !m_result.showUsage) {
            finish();
        }
        return m_result;
    }

private:
    void expandJob(const std::string& text, std::size_t position, std::vector<Argument>& expanded) {
        const auto colon = text.find(':');
        const std::string path = colon == std::string::npos ? std::string() : Unquote(text.substr(colon + 1));
        if (path.empty()) {
            m_result.error = "ERROR : Invalid Parameter #" + std::to_string(position) + " : \"" + text + "\"";
            return;
        }
        auto content = m_readFile(path);
        if (!content && !path.ends_with(".rcj") && !path.ends_with(".RCJ")) {
            content = m_readFile(path + ".rcj"); // robocopy adds the extension to a bare job name
        }
        if (!content) {
            m_result.error = "ERROR : Cannot read job file \"" + path + "\".";
            return;
        }
        JobFileArguments job = ReadJobFile(*content);
        for (Argument& argument : job.arguments) {
            expanded.push_back(std::move(argument));
            m_position.push_back(0);
        }
        for (std::string& warning : job.warnings) {
            m_result.options.warnings.push_back(std::move(warning));
        }
        m_result.options.switchesSeen.push_back("/JOB:" + path);
    }

    void invalid(const Argument& argument, std::size_t position) {
        if (argument.fromJob) {
            m_result.error = "ERROR : Invalid Parameter in job file : \"" + argument.text + "\"";
        } else {
            m_result.error = "ERROR : Invalid Parameter #" + std::to_string(position) + " : \"" + argument.text + "\"";
        }
    }

    void apply(const Argument& argument, std::size_t position) {
        const Switch* found = argument.literal ? nullptr : FindSwitch(argument.text);
        if (found == nullptr) {
            if (!argument.literal && argument.text.size() > 1 && argument.text.front() == '/' && m_list == nullptr &&
                m_haveSource && m_haveDestination) {
                // Both folders are known and file patterns are names, so this can only be a switch
                // we do not know; robocopy refuses it, and so do we.
                invalid(argument, position);
                return;
            }
            positional(argument);
            return;
        }
        m_list = nullptr;
        const auto colon = argument.text.find(':');
        const bool hasValue = colon != std::string::npos;
        const std::string value = hasValue ? Unquote(argument.text.substr(colon + 1)) : std::string();
        const std::string name(found->name);
        Options& o = m_result.options;
        switch (found->kind) {
        case Kind::Usage:
            m_result.showUsage = true;
            return;
        case Kind::Flag:
            if (hasValue) {
                invalid(argument, position);
                return;
            }
            applyFlag(name);
            break;
        case Kind::Ignored:
        case Kind::IgnoredValue:
            o.unsupported.push_back("/" + name);
            break;
        case Kind::List:
            m_list = name == "IF"   ? &o.filePatterns
                     : name == "XF" ? &o.excludeFiles
                     : name == "XD" ? &o.excludeDirectories
                                    : &o.includeDirectories;
            if (hasValue && !value.empty()) {
                m_list->push_back(NormalisePattern(value));
            }
            break;
        case Kind::Value:
            if (!applyValue(name, value, hasValue)) {
                invalid(argument, position);
                return;
            }
            break;
        }
        if (name != "SD" && name != "DD" && name != "NOSD" && name != "NODD" && found->kind != Kind::List) {
            o.switchesSeen.push_back("/" + name + (hasValue ? ":" + value : std::string()));
        }
    }

    void positional(const Argument& argument) {
        Options& o = m_result.options;
        if (m_list != nullptr) {
            if (!argument.text.empty()) {
                m_list->push_back(NormalisePattern(argument.text));
            }
            return;
        }
        if (argument.text.empty() && !argument.literal && m_haveSource && m_haveDestination) {
            return; // an empty separator between name lists
        }
        if (!m_haveSource) {
            o.source = argument.text;
            m_haveSource = true;
        } else if (!m_haveDestination) {
            o.destination = argument.text;
            m_haveDestination = true;
        } else if (!argument.text.empty()) {
            o.filePatterns.push_back(NormalisePattern(argument.text));
        }
    }

    void applyFlag(const std::string& name) {
        Options& o = m_result.options;
        if (const auto* flag = std::ranges::find(kOneOptionFlags, name, &OneOptionFlag::name);
            flag != kOneOptionFlags.end()) {
            o.*(flag->option) = true;
        } else if (name == "MIR") {
            o.mirror = o.emptyDirectories = o.purge = true;
        } else if (name == "ZB") {
            o.restartable = o.backupIfPermitted = true;
        } else if (name == "MOVE") {
            o.moveFiles = o.moveAll = true;
        } else if (name == "COPYALL") {
            o.copy = CopyFlags{true, true, true, true, true, true};
        } else if (name == "NOCOPY") {
            o.copy = CopyFlags{false, false, false, false, false, false};
        } else if (name == "SEC") {
            o.copy = CopyFlags{true, true, true, true, false, false};
        }
    }

    bool applyValue(const std::string& name, const std::string& value, bool hasValue) {
        if (name == "SD" || name == "DD") {
            applyFolder(name == "SD", value);
            return true;
        }
        Options& o = m_result.options;
        if (name == "MT" && !hasValue) {
            o.threads = kDefaultThreads;
            return true;
        }
        if (!hasValue) {
            return false;
        }
        if (name == "LOG" || name == "LOG+" || name == "UNILOG" || name == "UNILOG+") {
            if (value.empty()) {
                return false;
            }
            o.logFile = value;
            o.logAppend = name.back() == '+';
            o.logUnicode = name.starts_with("UNI");
            return true;
        }
        if (name == "IA" || name == "XA" || name == "A+" || name == "A-") {
            const auto bits = ParseAttributeLetters(value);
            if (bits) {
                (name == "IA"   ? o.includeAttributes
                 : name == "XA" ? o.excludeAttributes
                 : name == "A+" ? o.addAttributes
                                : o.removeAttributes) |= *bits;
            }
            return bits.has_value();
        }
        if (name == "RH") {
            return ParseRunHours(value, o);
        }
        if (name == "SAVE") {
            o.saveJob = value;
            return !value.empty();
        }
        if (name == "COPY") {
            const auto flags = ParseCopyFlags(value);
            if (flags) {
                o.copy = *flags;
            }
            return flags.has_value();
        }
        if (name == "DCOPY") {
            const std::string letters = ToUpperAscii(value);
            if (letters.find_first_not_of("DATEX") != std::string::npos) {
                return false;
            }
            o.copyDirectoryTimes = letters.find('T') != std::string::npos;
            return true;
        }
        return applyNumber(name, value);
    }

    // /SD and /DD: the first path given, on the command line or here, wins.
    void applyFolder(bool isSource, const std::string& value) {
        std::string path = value;
        // robocopy's saved jobs end folders with a separator; keep "/" itself intact.
        while (path.size() > 1 && (path.back() == '\\' || path.back() == '/')) {
            path.pop_back();
        }
        bool& have = isSource ? m_haveSource : m_haveDestination;
        if (!have && !path.empty()) {
            (isSource ? m_result.options.source : m_result.options.destination) = path;
            have = true;
        }
    }

    bool applyNumber(const std::string& name, const std::string& value) {
        Options& o = m_result.options;
        const auto number = ParseNumber(TrimBlanks(value));
        if (!number) {
            return false;
        }
        constexpr std::uint64_t kIntLimit = 0x7FFFFFFF;
        if (name == "MAX") {
            o.maxSize = *number;
        } else if (name == "MIN") {
            o.minSize = *number;
        } else if (name == "MAXDEL") {
            o.maxDeletions = *number;
        } else if (*number > kIntLimit) {
            return false;
        } else if (name == "LEV") {
            o.levels = static_cast<int>(*number);
        } else if (name == "R") {
            o.retries = static_cast<int>(*number);
        } else if (name == "W") {
            o.waitSeconds = static_cast<int>(*number);
        } else if (name == "IPG") {
            o.gapMilliseconds = static_cast<int>(*number);
        } else if (name == "MON") {
            o.monitorChanges = static_cast<int>(*number);
        } else if (name == "MOT") {
            o.monitorMinutes = static_cast<int>(*number);
        } else if (name == "MT") {
            if (*number < 1 || *number > kMaxThreads) {
                return false;
            }
            o.threads = static_cast<int>(*number);
        }
        return true;
    }

    void finish() {
        Options& o = m_result.options;
        if (o.source.empty()) {
            m_result.error = "ERROR : No Source Directory Specified.";
        } else if (o.destination.empty()) {
            m_result.error = "ERROR : No Destination Directory Specified.";
        }
        // "Every file" among other patterns adds nothing; an empty list means every file.
        if (std::find(o.filePatterns.begin(), o.filePatterns.end(), "*") != o.filePatterns.end()) {
            o.filePatterns.clear();
        }
    }

    const FileReader& m_readFile;
    ParseResult m_result;
    std::vector<std::size_t> m_position;
    std::vector<std::string>* m_list = nullptr;
    bool m_haveSource = false;
    bool m_haveDestination = false;
};

} // namespace

std::string UnsupportedSwitchesNote() {
    constexpr std::size_t kWidth = 80;
    std::string text;
    std::string line = "  Accepted, not yet supported on this system:";
    bool any = false;
    for (const Switch& known : kKnownSwitches) {
        if (known.kind != Kind::Ignored && known.kind != Kind::IgnoredValue) {
            continue;
        }
        any = true;
        if (line.size() + known.name.size() + 2 > kWidth) {
            text += line + "\n";
            line = " ";
        }
        line += " /" + std::string(known.name);
    }
    if (!any) {
        return {};
    }
    return "\n" + text + line + ".\n";
}

bool IsKnownSwitch(std::string_view token) {
    return FindSwitch(token) != nullptr;
}

JobFileArguments ReadJobFile(std::string_view text) {
    JobFileArguments result;
    bool inBlock = false;
    while (!text.empty()) {
        const auto end = text.find_first_of("\r\n");
        std::string_view raw = text.substr(0, end);
        std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (next < text.size() && text[end] == '\r' && text[next] == '\n') {
            ++next; // CR LF is one line end, not a line and an empty one
        }
        text.remove_prefix(next);
        if (raw.starts_with("\xEF\xBB\xBF")) {
            raw.remove_prefix(3);
        }
        const std::string_view line = CutComment(raw);
        if (line.empty()) {
            // Hand-written jobs put comments and blank lines between the names of a list; like robocopy,
            // keep reading names after them: only the next switch ends the list.
            continue;
        }
        const auto switchEnd = line.find_first_of(": \t");
        const std::string_view head = line.substr(0, switchEnd);
        const Switch* found = FindSwitch(head);
        if (found == nullptr && inBlock) {
            result.arguments.push_back(Argument{Unquote(line), true, true});
            continue;
        }
        inBlock = false;
        if (found == nullptr) {
            if (line.front() == '/') {
                result.warnings.push_back("Unknown switch " + std::string(head) + " in job file skipped.");
            } else {
                result.warnings.push_back("Line \"" + std::string(line) + "\" in job file skipped.");
            }
            continue;
        }
        if (found->kind == Kind::Value && TakesRestOfLine(found->name)) {
            result.arguments.push_back(Argument{std::string(line), true, false});
            continue;
        }
        std::vector<std::string> tokens = SplitLine(line);
        for (std::size_t i = 0; i + 1 < tokens.size(); ++i) {
            // "/LEV: 3": a value written with a blank after the colon still belongs to its switch.
            const Switch* valueSwitch = FindSwitch(tokens[i]);
            if (valueSwitch != nullptr && valueSwitch->kind == Kind::Value && tokens[i].ends_with(':') &&
                FindSwitch(tokens[i + 1]) == nullptr) {
                tokens[i] += tokens[i + 1];
                tokens.erase(tokens.begin() + static_cast<std::ptrdiff_t>(i) + 1);
            }
        }
        for (std::string& token : tokens) {
            const bool known = FindSwitch(token) != nullptr;
            // A quoted "" is an empty token, which has no first character to look at.
            if (!known && token.starts_with('/') && !inBlock) {
                result.warnings.push_back("Unknown switch " + token + " in job file skipped.");
                continue;
            }
            if (known) {
                inBlock = FindSwitch(token)->kind == Kind::List;
            }
            result.arguments.push_back(Argument{std::move(token), true, !known});
        }
    }
    return result;
}

ParseResult ParseCommandLine(const std::vector<std::string>& arguments, const FileReader& readFile) {
    return Parser(readFile).run(arguments);
}

} // namespace robocopy
