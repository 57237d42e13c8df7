// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/FatNames.h"

#include <set>
#include <string_view>

namespace robocopy {

namespace {

constexpr std::string_view kAllowed = "!#$%&'()-@^_`{}~";

char ShortChar(char c) {
    if (c >= 'a' && c <= 'z') {
        return static_cast<char>(c - 'a' + 'A');
    }
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || kAllowed.find(c) != std::string_view::npos;
    return plain ? c : '_';
}

// The name upper-cased when it is a valid 8.3 name already, else empty.
std::string AsIs(std::string_view name) {
    const auto dot = name.find('.');
    const std::string_view base = name.substr(0, dot);
    const std::string_view extension = dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
    if (base.empty() || base.size() > 8 || extension.size() > 3 || extension.find('.') != std::string_view::npos ||
        (dot != std::string_view::npos && extension.empty())) {
        return {};
    }
    std::string result;
    for (const char c : name) {
        if (c != '.' && ShortChar(c) == '_' && c != '_') {
            return {};
        }
        result.push_back(c == '.' ? '.' : ShortChar(c));
    }
    return result;
}

// The parts of a name that has to be shortened: blanks and all dots but the last go.
std::pair<std::string, std::string> Parts(std::string_view name) {
    const auto dot = name.rfind('.');
    const bool hasExtension = dot != std::string_view::npos && dot > 0;
    std::string base;
    std::string extension;
    for (const char c : hasExtension ? name.substr(0, dot) : name) {
        if (c != ' ' && c != '.') {
            base.push_back(ShortChar(c));
        }
    }
    if (hasExtension) {
        for (const char c : name.substr(dot + 1)) {
            if (c != ' ' && extension.size() < 3) {
                extension.push_back(ShortChar(c));
            }
        }
    }
    return {base.empty() ? std::string("_") : base, extension};
}

} // namespace

std::vector<std::string> FatNames(const std::vector<Entry>& entries) {
    std::vector<std::string> names(entries.size());
    std::set<std::string> taken;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        names[i] = AsIs(entries[i].name);
        if (!names[i].empty() && !taken.insert(names[i]).second) {
            names[i].clear(); // "a.txt" after "A.TXT": it gets a "~n" name below
        }
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (!names[i].empty()) {
            continue;
        }
        const auto [base, extension] = Parts(entries[i].name);
        for (int n = 1;; ++n) {
            const std::string tail = "~" + std::to_string(n);
            std::string candidate = base.substr(0, 8 - tail.size()) + tail;
            if (!extension.empty()) {
                candidate += "." + extension;
            }
            if (taken.insert(candidate).second) {
                names[i] = candidate;
                break;
            }
        }
    }
    return names;
}

} // namespace robocopy
