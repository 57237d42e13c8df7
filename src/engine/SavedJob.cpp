// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/SavedJob.h"

#include <algorithm>
#include <array>
#include <sstream>
#include <vector>

#include <unistd.h>

#include "engine/Report.h"
#include "engine/Text.h"
#include <pwd.h>

namespace robocopy {

namespace {

enum class Section { Copy, Selection, Retry, Logging, Left };

// Switches that say how this run was started rather than what the job does.
constexpr auto kNotSaved = std::to_array<std::string_view>({"SAVE", "QUIT", "JOB", "SD", "DD", "NOSD", "NODD"});
constexpr auto kSelection =
    std::to_array<std::string_view>({"XO",  "XN",  "XC", "XX", "XL", "IS", "IT",     "MAX",    "MIN",    "FFT",   "XJ",
                                     "XJD", "XJF", "A",  "M",  "IA", "XA", "MAXAGE", "MINAGE", "MAXLAD", "MINLAD"});
constexpr auto kRetry = std::to_array<std::string_view>({"R", "W", "TBD"});
constexpr auto kLogging =
    std::to_array<std::string_view>({"L",  "X",   "V",   "TS",   "FP",     "BYTES",   "NS",  "NC",  "NFL", "NDL",
                                     "NP", "ETA", "LOG", "LOG+", "UNILOG", "UNILOG+", "TEE", "NJH", "NJS", "UNICODE"});

std::string NameOf(std::string_view token) {
    token.remove_prefix(1);
    return ToUpperAscii(token.substr(0, token.find(':')));
}

Section SectionOf(std::string_view name) {
    const auto in = [name](const auto& list) { return std::ranges::find(list, name) != std::end(list); };
    return in(kNotSaved)    ? Section::Left
           : in(kSelection) ? Section::Selection
           : in(kRetry)     ? Section::Retry
           : in(kLogging)   ? Section::Logging
                            : Section::Copy;
}

// The switch's line of the usage text after its "::", as robocopy comments its saved switches.
std::string Description(std::string_view name) {
    std::istringstream usage(UsageText());
    for (std::string line; std::getline(usage, line);) {
        const std::string_view text = TrimBlanks(line);
        const auto separator = text.find(" ::");
        if (!text.starts_with('/') || separator == std::string_view::npos) {
            continue;
        }
        const std::string_view head = text.substr(0, separator);
        const std::string_view first = head.substr(0, head.find_first_of(":[, "));
        if (EqualsIgnoringCase(first.substr(1), name)) {
            return std::string(TrimBlanks(text.substr(separator + 3)));
        }
    }
    return {};
}

// One switch line: the switch, tabs up to the comment column, and its description.
std::string SwitchLine(std::string_view token, std::string_view description) {
    std::string line = "\t" + std::string(token) + (token.size() < 8 ? "\t\t" : "\t");
    return line + ":: " + std::string(description) + "\r\n";
}

std::string Heading(std::string_view title) {
    return "::\r\n:: " + std::string(title) + " :\r\n::\r\n";
}

std::string NameList(std::string_view token, std::string_view description, const std::vector<std::string>& names,
                     std::string_view none) {
    std::string text = SwitchLine(token, description);
    for (const std::string& name : names) {
        text += "\t\t" + name + "\r\n";
    }
    if (names.empty()) {
        text += "::\t\t" + std::string(none) + "\r\n";
    }
    return text;
}

std::string Folder(std::string_view title, std::string_view sd, std::string_view nosd, const std::string& path,
                   bool left) {
    std::string text = Heading(title);
    if (left || path.empty()) {
        text += SwitchLine("/" + std::string(nosd), Description(nosd));
        return text + "::\t\t\t:: To Be Specified on the Command Line\r\n\r\n";
    }
    const std::string caption = std::string(title);
    return text + "\t/" + std::string(sd) + ":" + path + (path.ends_with('/') ? "" : "/") + "\t:: " + caption +
           ".\r\n\r\n";
}

std::string UserName() {
    const passwd* user = ::getpwuid(::geteuid());
    return user != nullptr && user->pw_name != nullptr ? user->pw_name : std::to_string(::geteuid());
}

} // namespace

std::string SavedJobPath(const std::string& name) {
    const std::string upper = ToUpperAscii(name);
    return upper.ends_with(".RCJ") ? name : name + ".RCJ";
}

std::string SavedJobText(const Options& o, std::string_view path, std::time_t created) {
    std::tm local{};
    ::localtime_r(&created, &local);
    std::array<char, 64> stamp{};
    std::strftime(stamp.data(), stamp.size(), "%a %b %d %Y at %H:%M:%S", &local);
    std::string text = "::\r\n:: Robocopy Job " + std::string(path) + "\r\n::\r\n:: Created by " + UserName() + " on " +
                       stamp.data() + "\r\n::\r\n\r\n";
    text += Folder("Source Directory", "SD", "NOSD", o.source, o.noSourceSaved);
    text += Folder("Destination Directory", "DD", "NODD", o.destination, o.noDestinationSaved);
    text += Heading("Include These Files");
    text += NameList("/IF", "Include Files matching these names", o.filePatterns,
                     "*.*\t:: Include all names (currently - Command Line may override)");
    text += "\r\n" + Heading("Exclude These Directories");
    text += NameList("/XD", "eXclude Directories matching these names", o.excludeDirectories,
                     "\t:: eXclude no names (currently - Command Line may override)");
    if (!o.includeDirectories.empty()) {
        text += NameList("/ID", "Include only Directories matching these names", o.includeDirectories, "");
    }
    text += "\r\n" + Heading("Exclude These Files");
    text += NameList("/XF", "eXclude Files matching these names", o.excludeFiles,
                     "\t:: eXclude no names (currently - Command Line may override)");
    std::array<std::string, 4> sections;
    for (const std::string& token : o.switchesSeen) {
        const std::string name = NameOf(token);
        const Section section = SectionOf(name);
        if (section != Section::Left && !(section == Section::Retry && (name == "R" || name == "W"))) {
            sections[static_cast<std::size_t>(section)] += SwitchLine(token, Description(name));
        }
    }
    text += sections[static_cast<std::size_t>(Section::Selection)];
    text += "\r\n" + Heading("Copy options") + sections[static_cast<std::size_t>(Section::Copy)];
    // robocopy always names the retries and the wait, also when they were left at their defaults.
    text += "\r\n" + Heading("Retry Options");
    text += SwitchLine("/R:" + std::to_string(o.retries), Description("R"));
    text += SwitchLine("/W:" + std::to_string(o.waitSeconds), Description("W"));
    text += sections[static_cast<std::size_t>(Section::Retry)];
    text += "\r\n" + Heading("Logging Options") + sections[static_cast<std::size_t>(Section::Logging)];
    return text;
}

} // namespace robocopy
