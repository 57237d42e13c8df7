// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/services/Paths.h"

namespace talvex {

namespace {

bool IsDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Where the file name starts: after the last separator, or after a drive colon on Windows.
std::size_t NameStart(std::string_view path, PathStyle style) {
    for (std::size_t i = path.size(); i > 0; --i) {
        const char c = path[i - 1];
        if (IsPathSeparator(c, style) || (style == PathStyle::Windows && c == ':')) {
            return i;
        }
    }
    return 0;
}

} // namespace

char PathSeparator(PathStyle style) {
    return style == PathStyle::Windows ? '\\' : '/';
}

bool IsPathSeparator(char c, PathStyle style) {
    return c == '/' || (style == PathStyle::Windows && c == '\\');
}

std::string_view FileNamePart(std::string_view path, PathStyle style) {
    return path.substr(NameStart(path, style));
}

std::string_view FolderPart(std::string_view path, PathStyle style) {
    return path.substr(0, NameStart(path, style));
}

std::string_view ExcludeTrailingSeparator(std::string_view path, PathStyle style) {
    if (path.empty() || !IsPathSeparator(path.back(), style)) {
        return path;
    }
    if (style == PathStyle::Posix && path.size() == 1) {
        return path;
    }
    return path.substr(0, path.size() - 1);
}

std::string IncludeTrailingSeparator(std::string_view path, PathStyle style) {
    std::string result(path);
    if (!result.empty() && !IsPathSeparator(result.back(), style)) {
        result += PathSeparator(style);
    }
    return result;
}

std::string_view DrivePart(std::string_view path, PathStyle style) {
    if (style == PathStyle::Posix) {
        return !path.empty() && path.front() == '/' ? path.substr(0, 1) : std::string_view();
    }
    if (path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':') {
        return path.substr(0, 2);
    }
    if (path.size() >= 2 && IsPathSeparator(path[0], style) && IsPathSeparator(path[1], style)) {
        // \\server\share: the prefix ends before the separator that follows the share.
        std::size_t separators = 0;
        for (std::size_t i = 2; i < path.size(); ++i) {
            if (IsPathSeparator(path[i], style) && ++separators == 2) {
                return path.substr(0, i);
            }
        }
        return path;
    }
    return {};
}

bool HasDrivePart(std::string_view path, PathStyle style) {
    return !DrivePart(path, style).empty();
}

std::string JoinPath(std::string_view folder, std::string_view name, PathStyle style) {
    if (folder.empty()) {
        return std::string(name);
    }
    std::string result = IncludeTrailingSeparator(folder, style);
    while (!name.empty() && IsPathSeparator(name.front(), style)) {
        name.remove_prefix(1);
    }
    result += name;
    return result;
}

} // namespace talvex
