// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/services/ShortPaths.h"

#include <optional>

namespace talvex {

namespace {

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// Walks the components after the first one; `convert` returns the replacement of a component, or
// nothing when it must stay as it is and be reported.
template <typename Convert>
ConvertedPath Walk(std::string_view path, PathStyle style, Convert convert) {
    ConvertedPath result;
    std::size_t start = 0;
    std::size_t end = 0;
    while (end < path.size() && !IsPathSeparator(path[end], style)) {
        ++end;
    }
    result.path.assign(path.substr(0, end));
    while (end < path.size()) {
        const char separator = path[end];
        start = end + 1;
        end = start;
        while (end < path.size() && !IsPathSeparator(path[end], style)) {
            ++end;
        }
        const std::string_view component = path.substr(start, end - start);
        const std::string soFar = result.path;
        result.path += separator;
        const std::optional<std::string> replacement = convert(soFar + separator, component);
        if (replacement) {
            result.path += *replacement;
        } else {
            result.path += component;
            result.unconverted.emplace_back(component);
        }
    }
    return result;
}

} // namespace

ConvertedPath ToCodePagePath(std::string_view path, const platform::DirectoryEntryLookup& lookup, PathStyle style) {
    return Walk(path, style, [&](const std::string& parent, std::string_view component) -> std::optional<std::string> {
        if (lookup.fitsCodePage(component)) {
            return std::string(component);
        }
        const auto entry = lookup.find(parent + std::string(component));
        if (!entry || Trim(entry->shortName).empty()) {
            return std::nullopt;
        }
        return std::string(Trim(entry->shortName));
    });
}

ConvertedPath ToLongPath(std::string_view path, const platform::DirectoryEntryLookup& lookup, PathStyle style) {
    return Walk(path, style, [&](const std::string& parent, std::string_view component) -> std::optional<std::string> {
        if (component.find('~') == std::string_view::npos) {
            return std::string(component);
        }
        const auto entry = lookup.find(parent + std::string(component));
        if (!entry || entry->longName.empty()) {
            return std::nullopt;
        }
        return entry->longName;
    });
}

} // namespace talvex
