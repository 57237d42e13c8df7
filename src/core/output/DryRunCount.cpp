// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/output/DryRunCount.h"

#include "core/output/ProgressLines.h"

namespace talvex::output {

namespace {

void AddName(std::vector<std::string>& names, std::string name) {
    if (names.size() < DryRunSummary::kMaxNames) {
        names.push_back(std::move(name));
    }
}

} // namespace

void DryRunCount::addLine(std::string_view text) {
    const OutputLine line = ReadOutputLine(text);
    if (line.kind == LineKind::Directory) {
        if (IsExtraDirectory(line.label)) {
            ++m_summary.extraFolders;
            AddName(m_summary.extraNames, std::string(line.name));
            // The files of an extra folder are not listed; those that follow belong to the folder
            // of the next line.
            m_folder.clear();
            return;
        }
        if (IsNewDirectory(line.label)) {
            ++m_summary.newFolders;
        }
        m_folder = line.name;
        return;
    }
    if (line.kind != LineKind::File) {
        return;
    }
    if (IsExtraFile(line.label)) {
        ++m_summary.extraFiles;
        AddName(m_summary.extraNames, pathOf(line.name));
    } else if (IsCopiedFileClass(line.label)) {
        ++m_summary.files;
        m_summary.bytes += line.size.value_or(0);
        AddName(m_summary.copiedNames, pathOf(line.name));
    }
}

std::string DryRunCount::pathOf(std::string_view name) const {
    // With /FP robocopy prints the full path already.
    const bool full = name.starts_with('/') || name.starts_with('\\') || (name.size() > 1 && name[1] == ':');
    if (m_folder.empty() || full) {
        return std::string(name);
    }
    std::string path = m_folder;
    if (path.back() != '\\' && path.back() != '/') {
        path += '/';
    }
    return path + std::string(name);
}

} // namespace talvex::output
