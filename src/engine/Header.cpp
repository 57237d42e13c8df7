// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Header.h"

#include <string_view>
#include <vector>

#include "engine/Text.h"

namespace robocopy {

namespace {

constexpr std::size_t kBannerWidth = 79;

void AppendList(std::string& text, std::string_view caption, const std::vector<std::string>& names) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        text += (i == 0 ? std::string(caption) + " : " : std::string("\t    ")) + EscapeControls(names[i]) + "\n";
    }
    text += "\t    \n";
}

std::string CopyLetters(const CopyFlags& flags) {
    std::string letters;
    for (const auto& [set, letter] :
         {std::pair{flags.data, 'D'}, std::pair{flags.attributes, 'A'}, std::pair{flags.times, 'T'},
          std::pair{flags.security, 'S'}, std::pair{flags.owner, 'O'}, std::pair{flags.auditing, 'U'}}) {
        if (set) {
            letters += letter;
        }
    }
    return letters;
}

// /DCOPY: as typed, since the options only keep whether folder times are carried.
std::string DirectoryCopy(const Options& o) {
    for (const std::string& seen : o.switchesSeen) {
        if (seen.starts_with("/DCOPY:")) {
            return ToUpperAscii(seen);
        }
    }
    return o.copyDirectoryTimes ? "/DCOPY:DAT" : "/DCOPY:DA";
}

void AppendSwitches(std::string& line, const Options& o) {
    const auto add = [&line](bool set, std::string_view name) {
        if (set) {
            line.append(name).append(" ");
        }
    };
    const auto value = [&line](bool set, std::string_view name, std::uint64_t number) {
        if (set) {
            line.append(name).append(":").append(std::to_string(number)).append(" ");
        }
    };
    add(o.verbose, "/V");
    add(o.reportExtras, "/X");
    add(o.timestamps, "/TS");
    add(o.fullPaths, "/FP");
    add(o.rawBytes, "/BYTES");
    add(o.noSizes, "/NS");
    add(o.noClasses, "/NC");
    add(o.noFileList, "/NFL");
    add(o.noDirectoryList, "/NDL");
    add(o.tee, "/TEE");
    add(o.noSummary, "/NJS");
    add(o.unicodeOutput, "/UNICODE");
    add(o.listOnly, "/L");
    add(o.recurse(), "/S");
    add(o.emptyDirectories, "/E");
    value(o.levels > 0, "/LEV", static_cast<std::uint64_t>(o.levels));
    add(true, DirectoryCopy(o));
    const std::string letters = CopyLetters(o.copy);
    add(true, letters.empty() ? "/NOCOPY" : "/COPY:" + letters);
    add(o.purge, "/PURGE");
    add(o.mirror, "/MIR");
    add(o.moveFiles && !o.moveAll, "/MOV");
    add(o.moveAll, "/MOVE");
    add(o.createOnly, "/CREATE");
    add(o.copyLinks, "/SL");
    add(o.includeSame, "/IS");
    add(o.includeTweaked, "/IT");
    add(o.excludeChanged, "/XC");
    add(o.excludeNewer, "/XN");
    add(o.excludeOlder, "/XO");
    add(o.excludeExtra, "/XX");
    add(o.excludeLonely, "/XL");
    value(o.maxSize.has_value(), "/MAX", o.maxSize.value_or(0));
    value(o.minSize.has_value(), "/MIN", o.minSize.value_or(0));
    add(o.fatTimes, "/FFT");
    add(o.excludeLinks, "/XJ");
    add(o.excludeDirLinks, "/XJD");
    add(o.excludeFileLinks, "/XJF");
    add(o.noProgress, "/NP");
    add(o.eta, "/ETA");
    value(o.maxDeletions.has_value(), "/MAXDEL", o.maxDeletions.value_or(0));
    value(true, "/R", static_cast<std::uint64_t>(o.retries));
    value(true, "/W", static_cast<std::uint64_t>(o.waitSeconds));
}

} // namespace

std::string WarningText(const Options& o) {
    std::string text;
    if (!o.unsupported.empty()) {
        text += "  Warning : not yet supported on this system, ignored :";
        for (const std::string& name : o.unsupported) {
            text += " " + name;
        }
        text += "\n";
    }
    for (const std::string& warning : o.warnings) {
        text += "  Warning : " + EscapeControls(warning) + "\n";
    }
    return text.empty() ? text : text + "\n";
}

std::string Banner() {
    constexpr std::string_view kRule =
        "-------------------------------------------------------------------------------\n";
    std::string title = "   ROBOCOPY     ::     Robust File Copy for POSIX systems (Talvex)";
    title.resize(kBannerWidth, ' ');
    return "\n" + std::string(kRule) + title + "\n" + std::string(kRule);
}

std::string OptionsLine(const Options& o) {
    std::string line;
    if (o.filePatterns.empty()) {
        line = "*.* ";
    }
    for (const std::string& pattern : o.filePatterns) {
        line += EscapeControls(pattern) + " ";
    }
    AppendSwitches(line, o);
    return line;
}

std::string HeaderText(const Options& o, std::time_t started, const Locale& locale) {
    std::string text = Banner() + "\n";
    text += "  Started : " + LongDate(started, locale) + "\n";
    text += "   Source : " + EscapeControls(o.source) + (o.source.ends_with('/') ? "" : "/") + "\n";
    text += "     Dest : " + EscapeControls(o.destination) + (o.destination.ends_with('/') ? "" : "/") + "\n\n";
    AppendList(text, "    Files", o.filePatterns.empty() ? std::vector<std::string>{"*.*"} : o.filePatterns);
    if (!o.excludeFiles.empty()) {
        AppendList(text, "Exc Files", o.excludeFiles);
    }
    if (!o.excludeDirectories.empty()) {
        AppendList(text, " Exc Dirs", o.excludeDirectories);
    }
    if (!o.includeDirectories.empty()) {
        AppendList(text, " Inc Dirs", o.includeDirectories);
    }
    text += "  Options : " + OptionsLine(o) + "\n\n";
    text += "------------------------------------------------------------------------------\n\n";
    return text;
}

} // namespace robocopy
