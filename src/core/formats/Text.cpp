// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/Text.h"

#include "core/services/Paths.h"

namespace talvex::formats {

namespace {

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

PathStyle StyleOf(std::string_view path) {
    if (path.find('\\') != std::string_view::npos) {
        return PathStyle::Windows;
    }
    const std::string_view drive = DrivePart(path, PathStyle::Windows);
    return drive.size() == 2 && drive[1] == ':' ? PathStyle::Windows : kNativePathStyle;
}

} // namespace

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string ToUpperAscii(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return result;
}

std::string_view CutAtComment(std::string_view text) {
    return text.substr(0, text.find("::"));
}

std::vector<std::string> SplitNameList(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.emplace_back(line);
        start = end + 1;
    }
    return lines;
}

std::string NormaliseFolderPath(std::string_view path) {
    const PathStyle style = StyleOf(path);
    for (;;) {
        const std::string_view shorter = ExcludeTrailingSeparator(path, style);
        // "\" alone (the root of the current drive) would otherwise vanish.
        if (shorter.size() == path.size() || shorter.empty()) {
            return std::string(path);
        }
        path = shorter;
    }
}

} // namespace talvex::formats
