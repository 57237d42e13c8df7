// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/services/PathDisplay.h"

namespace talvex {

namespace {

std::string BreakIntoLines(std::string_view message, int maxWidth, const TextMeasurer& measurer) {
    std::string result;
    std::string line;
    bool lineStarted = false;
    std::size_t start = 0;
    while (start <= message.size()) {
        std::size_t end = message.find(' ', start);
        if (end == std::string_view::npos) {
            end = message.size();
        }
        const std::string_view word = message.substr(start, end - start);
        if (!lineStarted) {
            line = word;
            lineStarted = true;
        } else if (std::string candidate = line + ' ' + std::string(word); measurer.width(candidate) <= maxWidth) {
            line = std::move(candidate);
        } else {
            result += line;
            result += "\r\n";
            line = word;
        }
        start = end + 1;
    }
    return result + line;
}

} // namespace

std::string ShortenPath(std::string_view path, int maxWidth, const TextMeasurer& measurer, PathStyle style) {
    std::string result(path);
    if (measurer.width(result) <= maxWidth) {
        return result;
    }
    const char separator = PathSeparator(style);
    const std::string_view name = FileNamePart(path, style);
    const std::string_view drive = DrivePart(path, style);

    // The folders between the drive part and the name. Taking them after the drive part (rather than
    // after the first separator) keeps a network path's server and share from being repeated.
    std::string_view folders = FolderPart(path, style).substr(drive.size());
    while (!folders.empty() && IsPathSeparator(folders.front(), style)) {
        folders.remove_prefix(1);
    }
    folders = ExcludeTrailingSeparator(folders, style);

    // A POSIX root already is a separator; "/" + "..." must not become "//...".
    std::string prefix(ExcludeTrailingSeparator(drive, style));
    if (prefix == "/") {
        prefix.clear();
    }
    prefix += drive.empty() ? "..." : std::string(1, separator) + "...";

    while (!folders.empty()) {
        std::size_t cut = 0;
        while (cut < folders.size() && !IsPathSeparator(folders[cut], style)) {
            ++cut;
        }
        folders.remove_prefix(cut < folders.size() ? cut + 1 : folders.size());
        result = prefix;
        if (!folders.empty()) {
            result += separator;
            result += folders;
        }
        result += separator;
        result += name;
        if (measurer.width(result) <= maxWidth) {
            break;
        }
    }
    return result;
}

std::string FitMessageAndPath(std::string_view message, std::string_view path, int maxWidth,
                              const TextMeasurer& measurer, PathStyle style) {
    std::string text =
        measurer.width(message) > maxWidth ? BreakIntoLines(message, maxWidth, measurer) : std::string(message);
    return text + "\r\n" + ShortenPath(path, maxWidth, measurer, style);
}

} // namespace talvex
