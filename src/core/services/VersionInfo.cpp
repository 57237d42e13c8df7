// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/services/VersionInfo.h"

#include <algorithm>

namespace talvex {

namespace {

bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= ' ' || c == '\x7F';
}

std::string Trimmed(std::string_view text) {
    while (!text.empty() && IsBlankOrControl(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlankOrControl(text.back())) {
        text.remove_suffix(1);
    }
    return std::string(text);
}

// Deletes from the end up to and including the last ".", as often as asked; stops when the text is empty.
void DropLastParts(std::string& version, int count) {
    for (int i = 0; i < count && !version.empty(); ++i) {
        const std::size_t dot = version.rfind('.');
        version.erase(dot == std::string::npos ? 0 : dot);
    }
}

} // namespace

std::string FormatFileVersion(std::string_view dottedVersion, bool preRelease) {
    std::string version(dottedVersion);
    // Windows versions have four numbers; a shorter text would lose its meaningful parts to the
    // cutting below, so it is read as if the missing parts were zero.
    const auto dots = std::count(version.begin(), version.end(), '.');
    if (dots < 2) {
        for (auto i = dots; i < 3; ++i) {
            version += ".0";
        }
    }
    if (!preRelease) {
        DropLastParts(version, 2);
        return "Version " + version;
    }
    DropLastParts(version, 1);
    const std::size_t dot = version.rfind('.');
    return "Build " + (dot == std::string::npos ? version : version.substr(dot + 1));
}

bool ReadVersionInfo(const std::string& fileName, bool formatVersion, VersionInfo& info) {
    const auto fields = platform::ReadVersionFields(fileName);
    if (!fields) {
        return false;
    }
    const platform::VersionTexts& stored = fields->texts;
    info.internalName = Trimmed(stored.internalName);
    info.companyName = Trimmed(stored.companyName);
    info.fileDescription = Trimmed(stored.fileDescription);
    info.legalCopyright = Trimmed(stored.legalCopyright);
    info.homepage = Trimmed(stored.homepage);
    info.comments = Trimmed(stored.comments);

    std::string version = Trimmed(stored.fileVersion);
    std::replace(version.begin(), version.end(), ',', '.');
    version.erase(std::remove(version.begin(), version.end(), ' '), version.end());
    if (formatVersion && !version.empty()) {
        version = FormatFileVersion(version, fields->preRelease);
    }
    info.fileVersion = std::move(version);

    return !info.internalName.empty() || !info.fileVersion.empty() || !info.companyName.empty() ||
           !info.legalCopyright.empty() || !info.homepage.empty() || !info.comments.empty();
}

std::string FileVersionText(const std::string& fileName) {
    VersionInfo info;
    return ReadVersionInfo(fileName, true, info) ? info.fileVersion : std::string();
}

} // namespace talvex
