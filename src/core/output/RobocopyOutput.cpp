// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/output/RobocopyOutput.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

#include "core/services/AsciiCase.h"

namespace talvex::output {

namespace {

constexpr std::string_view kBlanks = " \t\r\n";
// The units of scaled sizes, in steps of 1024.
constexpr std::string_view kUnits = "kmgt";

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

template <typename Number>
std::optional<Number> ParseNumber(std::string_view text, int base = 10) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    while (!(text = Trim(text)).empty()) {
        const std::size_t end = std::min(text.find_first_of(kBlanks), text.size());
        words.push_back(text.substr(0, end));
        text.remove_prefix(end);
    }
    return words;
}

// A decimal figure written with a point; robocopy's sizes and percentages do not follow the locale.
std::optional<double> ParseDecimal(std::string_view text) {
    const std::size_t point = text.find('.');
    const auto whole = ParseNumber<std::uint64_t>(text.substr(0, point));
    if (!whole) {
        return std::nullopt;
    }
    auto value = static_cast<double>(*whole);
    if (point != std::string_view::npos) {
        const std::string_view fraction = text.substr(point + 1);
        const auto digits = ParseNumber<std::uint64_t>(fraction);
        if (!digits || fraction.size() > 6) {
            return std::nullopt;
        }
        value += static_cast<double>(*digits) / std::pow(10.0, static_cast<double>(fraction.size()));
    }
    return value;
}

// "[2025/10/18 14:44:57 ]ERROR 5 (0x00000005) Copying File C:\x": the path starts at the first
// absolute path after the action, for Windows ("C:\", "\\server") and POSIX ("/") alike.
std::size_t PathStart(std::string_view rest) {
    for (std::size_t i = 1; i < rest.size(); ++i) {
        if (rest[i - 1] != ' ') {
            continue;
        }
        const std::string_view tail = rest.substr(i);
        const bool drive = tail.size() >= 3 && std::isalpha(static_cast<unsigned char>(tail[0])) != 0 &&
                           tail[1] == ':' && tail[2] == '\\';
        if (drive || tail.starts_with("\\\\") || tail.starts_with('/')) {
            return i;
        }
    }
    return std::string_view::npos;
}

Event Make(EventKind kind) {
    Event event;
    event.kind = kind;
    return event;
}

// The captions of robocopy's header lines, right-aligned before " : ".
constexpr auto kHeaderCaptions = std::to_array<std::string_view>(
    {"Started", "Source", "Dest", "Files", "Exc Files", "Exc Dirs", "Inc Dirs", "Options", "Ended", "Log File"});

} // namespace

std::optional<std::uint64_t> ParseSize(std::string_view text) {
    const std::vector<std::string_view> words = Words(text);
    if (words.empty() || words.size() > 2) {
        return std::nullopt;
    }
    if (words.size() == 1) {
        return ParseNumber<std::uint64_t>(words[0]);
    }
    const std::size_t unit = words[1].size() == 1 ? kUnits.find(AsciiLower(words[1]).front()) : std::string_view::npos;
    const std::optional<double> value = ParseDecimal(words[0]);
    if (unit == std::string_view::npos || !value) {
        return std::nullopt;
    }
    // A garbled figure may not fit; converting it unchecked would wrap round to a small size.
    const double bytes = std::round(*value * std::pow(1024.0, static_cast<double>(unit + 1)));
    constexpr double kBeyond = 18446744073709551616.0; // 2^64
    return bytes >= kBeyond ? std::numeric_limits<std::uint64_t>::max() : static_cast<std::uint64_t>(bytes);
}

std::optional<double> ParsePercentage(std::string_view text) {
    text = Trim(text);
    const std::size_t sign = text.find('%');
    if (sign == std::string_view::npos || sign == 0) {
        return std::nullopt;
    }
    const std::string_view after = Trim(text.substr(sign + 1));
    if (!after.empty() && !after.starts_with("ETA")) {
        return std::nullopt;
    }
    const std::optional<double> value = ParseDecimal(text.substr(0, sign));
    if (!value || *value > 100.0) {
        return std::nullopt;
    }
    return value;
}

void RobocopyOutput::feedLine(std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.remove_suffix(1);
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t cr = line.find('\r', start);
        feedPiece(line.substr(start, cr == std::string_view::npos ? std::string_view::npos : cr - start));
        if (cr == std::string_view::npos) {
            break;
        }
        start = cr + 1;
    }
}

std::vector<Event> RobocopyOutput::takeEvents() {
    std::vector<Event> events;
    events.swap(m_events);
    return events;
}

void RobocopyOutput::feedPiece(std::string_view piece) {
    if (Trim(piece).empty()) {
        return; // the blank after an error's message does not end the error; the next line does
    }
    const bool afterError = m_afterError;
    m_afterError = false;
    if (const std::optional<double> percent = ParsePercentage(piece)) {
        Event event = Make(EventKind::Percentage);
        event.percent = *percent;
        m_events.push_back(std::move(event));
        return;
    }
    if (readClassLine(piece) || readError(piece) || readSummary(piece) || readHeader(piece)) {
        return;
    }
    const std::string_view text = Trim(piece);
    if (text == "ERROR: RETRY LIMIT EXCEEDED.") {
        m_events.push_back(Make(EventKind::RetryLimitExceeded));
        return;
    }
    if (text.starts_with("Waiting ") && text.ends_with(" seconds... Retrying...")) {
        const std::vector<std::string_view> words = Words(text);
        Event event = Make(EventKind::RetryWaiting);
        event.count = ParseNumber<std::int64_t>(words[1]);
        m_events.push_back(std::move(event));
        return;
    }
    Event event = Make(afterError ? EventKind::ErrorMessage : EventKind::Other);
    event.text = text;
    m_events.push_back(std::move(event));
}

// "\t    New File  \t\t   36920\tname" for files, "\t  New Dir          2\tpath" for folders: a file
// line has an empty field after the class, a folder line goes straight on to its path.
bool RobocopyOutput::readClassLine(std::string_view line) {
    const std::size_t firstTab = line.starts_with('\t') ? line.find('\t', 1) : std::string_view::npos;
    if (firstTab == std::string_view::npos) {
        return false;
    }
    const std::string_view head = line.substr(1, firstTab - 1);
    const std::string_view rest = line.substr(firstTab + 1);
    if (rest.starts_with('\t')) {
        return readFileLine(head, rest.substr(1));
    }
    Event event = Make(EventKind::Directory);
    std::vector<std::string_view> words = Words(head);
    // "*EXTRA Dir        -1"; with /NS the count is left out.
    if (!words.empty()) {
        event.count = ParseNumber<std::int64_t>(words.back());
        if (event.count) {
            words.pop_back();
        }
    }
    for (const std::string_view word : words) {
        event.caption += (event.caption.empty() ? "" : " ") + std::string(word);
    }
    event.text = rest; // a path may hold anything but a line end
    if (EqualsIgnoringAsciiCase(event.caption, "*EXTRA Dir")) {
        event.kind = EventKind::ExtraDirectory;
    }
    m_events.push_back(std::move(event));
    return true;
}

bool RobocopyOutput::readFileLine(std::string_view head, std::string_view rest) {
    const std::size_t sizeEnd = rest.find('\t');
    if (sizeEnd == std::string_view::npos) {
        return false;
    }
    Event event = Make(EventKind::FileStarted);
    event.caption = Trim(head);
    const std::string_view sizeAndStamp = Trim(rest.substr(0, sizeEnd));
    // With /TS a "yyyy/mm/dd hh:mm:ss" stamp follows the size.
    const std::size_t stampAt = sizeAndStamp.size() > 19 ? sizeAndStamp.size() - 19 : std::string_view::npos;
    if (stampAt != std::string_view::npos && sizeAndStamp[stampAt + 4] == '/' && sizeAndStamp[stampAt - 1] == ' ') {
        event.stamp = sizeAndStamp.substr(stampAt);
        event.size = ParseSize(sizeAndStamp.substr(0, stampAt));
    } else {
        event.size = ParseSize(sizeAndStamp);
    }
    event.text = rest.substr(sizeEnd + 1); // the name may hold anything but a line end
    if (EqualsIgnoringAsciiCase(event.caption, "*EXTRA File")) {
        event.kind = EventKind::ExtraFile;
    }
    m_events.push_back(std::move(event));
    return true;
}

bool IsCopiedFileClass(std::string_view caption) {
    // With /NC no class is printed, and every file listed is one that is copied.
    if (caption.empty()) {
        return true;
    }
    constexpr auto kCopied =
        std::to_array<std::string_view>({"New File", "Newer", "Older", "Changed", "Tweaked", "Modified"});
    return std::ranges::any_of(kCopied,
                               [caption](std::string_view copied) { return EqualsIgnoringAsciiCase(caption, copied); });
}

bool IsNewDirectoryClass(std::string_view caption) {
    return EqualsIgnoringAsciiCase(caption, "New Dir");
}

bool RobocopyOutput::readError(std::string_view line) {
    const std::size_t at = line.find("ERROR ");
    if (at == std::string_view::npos || (at != 0 && at != 20)) {
        return false;
    }
    std::string_view rest = line.substr(at + 6);
    const std::size_t open = rest.find(" (0x");
    const std::size_t close = rest.find(") ");
    const std::optional<unsigned> code = ParseNumber<unsigned>(rest.substr(0, open));
    if (!code || open == std::string_view::npos || close == std::string_view::npos || close < open) {
        return false;
    }
    rest.remove_prefix(close + 2);
    const std::size_t path = PathStart(rest);
    Event event = Make(EventKind::Error);
    event.code = *code;
    event.caption = Trim(rest.substr(0, path));
    event.text = path == std::string_view::npos ? std::string() : std::string(rest.substr(path));
    m_events.push_back(std::move(event));
    m_afterError = true;
    return true;
}

bool RobocopyOutput::readSummary(std::string_view line) {
    const std::size_t colon = line.find(" : ");
    const std::string_view caption = Trim(line.substr(0, colon));
    if (colon == std::string_view::npos || colon > 10 ||
        (caption != "Dirs" && caption != "Files" && caption != "Bytes" && caption != "Times" && caption != "Speed")) {
        return false;
    }
    const std::vector<std::string_view> words = Words(line.substr(colon + 3));
    Event event = Make(EventKind::SummaryRow);
    event.caption = caption;
    if (caption == "Speed") {
        if (words.size() != 2) {
            return false;
        }
        event.kind = EventKind::Speed;
        event.caption = words[1];
        event.text = words[0];
    } else {
        // Scaled sizes take two words, "5.04 m".
        for (std::size_t i = 0; i < words.size(); ++i) {
            const bool unit = i + 1 < words.size() && words[i + 1].size() == 1 &&
                              kUnits.find(words[i + 1][0]) != std::string_view::npos;
            event.cells.emplace_back(unit ? std::string(words[i]) + " " + std::string(words[i + 1]) : words[i]);
            i += unit ? 1 : 0;
        }
        for (const std::string& cell : event.cells) {
            if (const std::optional<std::uint64_t> value = ParseSize(cell); value && caption != "Times") {
                event.values.push_back(*value);
            }
        }
        if (caption != "Times" && event.values.size() != 6) {
            return false; // "   Files : *.*" of a header
        }
    }
    m_events.push_back(std::move(event));
    return true;
}

bool RobocopyOutput::readHeader(std::string_view line) {
    const std::size_t colon = line.find(" : ");
    if (colon == std::string_view::npos || colon > 12) {
        return false;
    }
    const std::string_view caption = Trim(line.substr(0, colon));
    if (std::ranges::find(kHeaderCaptions, caption) == kHeaderCaptions.end()) {
        return false;
    }
    Event event = Make(EventKind::HeaderField);
    event.caption = caption;
    event.text = Trim(line.substr(colon + 3));
    m_events.push_back(std::move(event));
    return true;
}

} // namespace talvex::output
