// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/output/DryRunCount.h"

#include "core/output/RobocopyOutput.h"

namespace talvex::output {

namespace {

void AddName(std::vector<std::string>& names, std::string name) {
    if (names.size() < DryRunSummary::kMaxNames) {
        names.push_back(std::move(name));
    }
}

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

std::string WithoutTrailingSeparators(std::string path) {
    while (!path.empty() && IsSeparator(path.back())) {
        path.pop_back();
    }
    return path;
}

} // namespace

DryRunCount::DryRunCount(std::string sourceRoot, std::string destinationRoot)
    : m_sourceRoot(WithoutTrailingSeparators(std::move(sourceRoot))),
      m_destinationRoot(WithoutTrailingSeparators(std::move(destinationRoot))) {}

std::string DryRunCount::atDestination(std::string_view folder) const {
    if (m_sourceRoot.empty() || !folder.starts_with(m_sourceRoot) ||
        (folder.size() > m_sourceRoot.size() && !IsSeparator(folder[m_sourceRoot.size()]))) {
        return std::string(folder);
    }
    return m_destinationRoot + std::string(folder.substr(m_sourceRoot.size()));
}

void DryRunCount::addEvent(const Event& event) {
    switch (event.kind) {
    case EventKind::ExtraDirectory:
        ++m_summary.extraFolders;
        AddName(m_summary.extraNames, event.text);
        // The files of an extra folder are not listed; those that follow belong to the folder of the
        // next line.
        m_folder.clear();
        m_extraFolder.clear();
        return;
    case EventKind::Directory:
        if (IsNewDirectoryClass(event.caption)) {
            ++m_summary.newFolders;
        }
        m_folder = event.text;
        m_extraFolder = atDestination(event.text);
        return;
    case EventKind::ExtraFile:
        ++m_summary.extraFiles;
        AddName(m_summary.extraNames, PathOf(m_extraFolder, event.text));
        return;
    case EventKind::FileStarted:
        if (IsCopiedFileClass(event.caption)) {
            ++m_summary.files;
            m_summary.bytes += event.size.value_or(0);
            AddName(m_summary.copiedNames, PathOf(m_folder, event.text));
        }
        return;
    default:
        return;
    }
}

std::string DryRunCount::PathOf(const std::string& folder, std::string_view name) {
    // With /FP robocopy prints the full path already.
    const bool full = name.starts_with('/') || name.starts_with('\\') || (name.size() > 1 && name[1] == ':');
    if (folder.empty() || full) {
        return std::string(name);
    }
    std::string path = folder;
    if (path.back() != '\\' && path.back() != '/') {
        path += '/';
    }
    return path + std::string(name);
}

} // namespace talvex::output
