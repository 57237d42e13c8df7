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

std::string_view CutAtComment(std::string_view text) {
    return text.substr(0, text.find("::"));
}

std::string NormaliseFolderPath(std::string_view path) {
    const PathStyle style = StyleOf(path);
    const std::string_view root = DrivePart(path, style);
    for (;;) {
        // A root keeps its separator: "E:" alone means the current folder on drive E:, so a mirror
        // into it would purge whatever folder the program was started from.
        if (!root.empty() && path.size() == root.size() + 1 && root.back() != '/') {
            return std::string(path);
        }
        const std::string_view shorter = ExcludeTrailingSeparator(path, style);
        // "\" alone (the root of the current drive) would otherwise vanish.
        if (shorter.size() == path.size() || shorter.empty()) {
            return std::string(path);
        }
        path = shorter;
    }
}

} // namespace talvex::formats
