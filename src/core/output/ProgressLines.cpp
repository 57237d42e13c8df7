// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/output/ProgressLines.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

#include "core/formats/Text.h"
#include "core/services/AsciiCase.h"

namespace talvex::output {

namespace {

using formats::TrimBlanks;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A decimal number with an optional fraction ("12", "1.5"); none for anything else.
std::optional<double> ReadDecimal(std::string_view text) {
    if (text.empty() || !IsDigit(text.front())) {
        return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// Splits off the first word (up to a blank) of `text`, which is left with the rest.
std::string_view TakeWord(std::string_view& text) {
    text = TrimBlanks(text);
    std::size_t end = 0;
    while (end < text.size() && text[end] != ' ') {
        ++end;
    }
    const std::string_view word = text.substr(0, end);
    text.remove_prefix(end);
    return word;
}

std::optional<double> ReadPercent(std::string_view line) {
    std::string_view rest = line;
    std::string_view word = TakeWord(rest);
    if (word.size() < 2 || word.back() != '%') {
        return std::nullopt;
    }
    // The engine's /ETA may follow; robocopy itself prints blanks only.
    const auto value = ReadDecimal(word.substr(0, word.size() - 1));
    if (!value || *value > 100) {
        return std::nullopt;
    }
    return value;
}

// "  New Dir          3", "                   3", "*EXTRA Dir        -1", "  New Dir  " (with /NS).
OutputLine ReadDirectory(std::string_view head, std::string_view path) {
    head = TrimBlanks(head);
    std::size_t countStart = head.size();
    while (countStart > 0 && (IsDigit(head[countStart - 1]) || head[countStart - 1] == '-')) {
        --countStart;
    }
    OutputLine line;
    line.kind = LineKind::Directory;
    line.label = TrimBlanks(head.substr(0, countStart));
    line.name = path;
    return line;
}

} // namespace

std::optional<std::uint64_t> ReadSize(std::string_view field) {
    std::string_view rest = field;
    const auto number = ReadDecimal(TakeWord(rest));
    if (!number) {
        return std::nullopt;
    }
    // /TS puts a time stamp after the size; a unit is a single letter right after the number.
    const std::string_view unit = TakeWord(rest);
    double factor = 1;
    if (unit.size() == 1) {
        constexpr std::string_view kUnits = "kmgt";
        const std::size_t index = kUnits.find(AsciiLower(unit).front());
        if (index != std::string_view::npos) {
            factor = std::pow(1024.0, static_cast<double>(index + 1));
        }
    }
    const double bytes = std::round(*number * factor);
    if (bytes >= static_cast<double>(std::numeric_limits<std::uint64_t>::max())) {
        return std::numeric_limits<std::uint64_t>::max();
    }
    return static_cast<std::uint64_t>(bytes);
}

OutputLine ReadOutputLine(std::string_view line) {
    if (line.empty()) {
        return {};
    }
    if (line.front() != '\t') {
        OutputLine percentLine;
        if (const auto percent = ReadPercent(line)) {
            percentLine.kind = LineKind::Percent;
            percentLine.percent = *percent;
        }
        return percentLine;
    }
    line.remove_prefix(1);
    const std::size_t firstTab = line.find('\t');
    if (firstTab == std::string_view::npos) {
        return {};
    }
    const std::string_view head = line.substr(0, firstTab);
    const std::string_view rest = line.substr(firstTab + 1);
    // A file line has an empty field after the class (the two tabs); a folder line goes straight on
    // to its path.
    if (rest.empty() || rest.front() != '\t') {
        return ReadDirectory(head, rest);
    }
    const std::string_view afterClass = rest.substr(1);
    const std::size_t sizeEnd = afterClass.find('\t');
    if (sizeEnd == std::string_view::npos) {
        return {};
    }
    OutputLine file;
    file.kind = LineKind::File;
    file.label = TrimBlanks(head);
    file.size = ReadSize(afterClass.substr(0, sizeEnd));
    file.name = afterClass.substr(sizeEnd + 1);
    return file;
}

bool IsCopiedFileClass(std::string_view label) {
    // With /NC no class is printed, and every file listed is one that is copied.
    if (label.empty()) {
        return true;
    }
    constexpr std::array<std::string_view, 6> kCopied = {"New File", "Newer",   "Older",
                                                         "Changed",  "Tweaked", "Modified"};
    return std::ranges::any_of(kCopied,
                               [label](std::string_view copied) { return EqualsIgnoringAsciiCase(label, copied); });
}

bool IsExtraFile(std::string_view label) {
    return EqualsIgnoringAsciiCase(label, "*EXTRA File");
}

bool IsExtraDirectory(std::string_view label) {
    return EqualsIgnoringAsciiCase(label, "*EXTRA Dir");
}

bool IsNewDirectory(std::string_view label) {
    return EqualsIgnoringAsciiCase(label, "New Dir");
}

} // namespace talvex::output
