// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/PathSettings.h"

#include <algorithm>
#include <utility>

#include "core/services/AsciiCase.h"
#include "platform/PathQueries.h"

namespace talvex::settings {
namespace {

bool IsFile(const std::string& path) {
    return platform::PathExists(path) && !platform::IsFolder(path);
}

} // namespace

PathSettings::PathSettings(IniStore& store, std::string settingsFolder, PathStyle style)
    : m_store(store), m_settingsFolder(std::move(settingsFolder)), m_style(style) {}

bool PathSettings::inSettingsFolder(std::string_view path) const {
    // Same letter case on purpose: the stored value must turn back into exactly this path.
    // A boundary at a separator keeps "…/TalvexAlt" from counting as inside "…/Talvex".
    const std::string_view folder = m_settingsFolder;
    if (folder.empty() || !path.starts_with(folder)) {
        return false;
    }
    return path.size() == folder.size() || IsPathSeparator(folder.back(), m_style) ||
           IsPathSeparator(path[folder.size()], m_style);
}

void PathSettings::writePath(std::string_view section, std::string_view key, std::string_view path) {
    if (inSettingsFolder(path)) {
        std::string_view relative = path.substr(m_settingsFolder.size());
        while (!relative.empty() && IsPathSeparator(relative.front(), m_style)) {
            relative.remove_prefix(1);
        }
        // A folder that happens to be called "na" must not read back as "nothing remembered".
        if (relative != kNotAvailable) {
            m_store.writeString(section, key, relative);
            return;
        }
    }
    m_store.writeString(section, key, path);
}

std::string PathSettings::ReadPathSetting(std::string_view section, std::string_view key, bool checkExists,
                                          std::string_view defaultValue) const {
    std::string value = m_store.readString(section, key, defaultValue);
    if (value != defaultValue && !HasDrivePart(value, m_style)) {
        value = value.empty() ? m_settingsFolder : JoinPath(m_settingsFolder, value, m_style);
    }
    if (checkExists && !platform::PathExists(value)) {
        return std::string(defaultValue);
    }
    return value;
}

bool PathSettings::hasHistory(std::string_view section) const {
    return !m_store.keys(section).empty();
}

std::vector<std::string> PathSettings::readHistory(std::string_view section, bool checkExists) const {
    std::vector<std::string> entries;
    for (std::size_t i = 0;; ++i) {
        std::string value = ReadPathSetting(section, std::to_string(i), checkExists, kNotAvailable);
        if (value == kNotAvailable) {
            return entries;
        }
        entries.push_back(std::move(value));
    }
}

std::vector<std::string> PathSettings::readNumbered(std::string_view section, bool relative) const {
    if (relative) {
        return readHistory(section, false);
    }
    std::vector<std::string> entries;
    for (std::size_t i = 0;; ++i) {
        std::string value = m_store.readString(section, std::to_string(i), kNotAvailable);
        if (value == kNotAvailable) {
            return entries;
        }
        entries.push_back(std::move(value));
    }
}

void PathSettings::updateList(std::string_view section, std::string_view path, bool relative, HistoryKeeps keeps) {
    const auto write = [&](const std::string& key, std::string_view value) {
        relative ? writePath(section, key, value) : m_store.writeString(section, key, value);
    };
    if (path.empty()) {
        return;
    }
    if (m_store.keys(section).empty()) {
        write("0", path);
        return;
    }
    // Every entry is read, also those after a vanished one: stopping at the first vanished path
    // would silently drop the entries behind it from the rewritten list.
    std::vector<std::string> entries = readNumbered(section, relative);
    if (keeps == HistoryKeeps::ExistingPaths) {
        std::erase_if(entries, [](const std::string& entry) { return !platform::PathExists(entry); });
    }
    const auto same = [path](const std::string& entry) { return EqualsIgnoringAsciiCase(entry, path); };
    if (std::any_of(entries.begin(), entries.end(), same)) {
        return;
    }
    entries.emplace_back(path);
    std::sort(entries.begin(), entries.end(), LessIgnoringAsciiCase);
    entries.erase(std::unique(entries.begin(), entries.end(), EqualsIgnoringAsciiCase), entries.end());
    m_store.eraseSection(section);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        write(std::to_string(i), entries[i]);
    }
}

void PathSettings::addToHistory(std::string_view section, std::string_view path, HistoryKeeps keeps) {
    updateList(section, ExcludeTrailingSeparator(path, m_style), true, keeps);
}

void PathSettings::RememberScript(std::string_view file) {
    m_store.writeString("Job", "Path", folderOf(file));
    updateList(kScriptsSection, file, false, HistoryKeeps::ExistingPaths);
}

std::vector<RecentScript> PathSettings::recentScripts() const {
    std::vector<RecentScript> recent;
    for (auto& path : readNumbered(kScriptsSection, false)) {
        if (IsFile(path)) {
            std::string caption = RelativeJob(path);
            recent.push_back({std::move(path), std::move(caption)});
        }
    }
    return recent;
}

std::string PathSettings::RelativeJob(std::string_view path) const {
    std::string base = m_store.readString("Job", "Path", "");
    if (base.empty()) {
        return std::string(path);
    }
    if (!IsPathSeparator(base.back(), m_style)) {
        base += PathSeparator(m_style);
    }
    const bool inside =
        m_style == PathStyle::Windows ? StartsWithIgnoringAsciiCase(path, base) : path.starts_with(base);
    return std::string(inside ? path.substr(base.size()) : path);
}

std::string PathSettings::dialogFolder(std::string_view section, std::string_view key,
                                       std::string_view documentsFolder) const {
    std::string folder = ReadPathSetting(section, key, true, kNotAvailable);
    if (folder == kNotAvailable || folder.empty()) {
        folder = m_settingsFolder;
    }
    if (!platform::IsFolder(folder)) {
        folder = documentsFolder;
    }
    return folder;
}

std::string PathSettings::logFileDialogFolder(std::string_view currentLogFile, std::string_view documentsFolder) const {
    if (!currentLogFile.empty()) {
        std::string folder = folderOf(currentLogFile);
        if (!folder.empty()) {
            return folder;
        }
    }
    return dialogFolder("Log", "Pfad", documentsFolder);
}

std::string PathSettings::acceptLogFile(std::string_view chosenFile) {
    writePath("Log", "Pfad", folderOf(chosenFile));
    return ReplaceExtension(chosenFile, ".log", m_style);
}

void PathSettings::acceptImageFile(std::string_view chosenFile) {
    writePath("Image", "Pfad", folderOf(chosenFile));
    addToHistory(kImageHistory, chosenFile, HistoryKeeps::AllPaths);
}

std::string PathSettings::folderOf(std::string_view file) const {
    return std::string(ExcludeTrailingSeparator(FolderPart(file, m_style), m_style));
}

std::string ReplaceExtension(std::string_view file, std::string_view extension, PathStyle style) {
    const std::string_view name = FileNamePart(file, style);
    const std::size_t dot = name.rfind('.');
    // A name that starts with its only dot (".profile") has no extension, just a hidden name.
    if (dot == std::string_view::npos || dot == 0) {
        return std::string(file) + std::string(extension);
    }
    const std::size_t keep = file.size() - name.size() + dot;
    return std::string(file.substr(0, keep)) + std::string(extension);
}

} // namespace talvex::settings
