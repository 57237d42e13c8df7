// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/output/RobocopyOutput.h"

namespace talvex::output {

/// What a run with /L says it would do.
struct DryRunSummary {
    std::uint64_t files = 0; ///< files it would copy
    std::uint64_t bytes = 0; ///< their bytes
    std::uint64_t newFolders = 0;
    std::uint64_t extraFiles = 0;   ///< "*EXTRA File": deleted at the destination by /MIR, /PURGE
    std::uint64_t extraFolders = 0; ///< "*EXTRA Dir", with everything in them
    /// The extra files and folders with their paths, the first `kMaxNames`.
    std::vector<std::string> extraNames;
    /// The files it would copy with their paths (which /MOV, /MOVE delete at the source), the first
    /// `kMaxNames`.
    std::vector<std::string> copiedNames;

    static constexpr std::size_t kMaxNames = 1000;
};

/// Counts the output events of a run with /L: the files to copy and their bytes, the new folders,
/// and the extra files and folders with their names.
class DryRunCount final {
public:
    DryRunCount() = default;
    /// Robocopy heads the files of each folder with the folder's path at the source; the extra files
    /// among them lie at the destination, under `destinationRoot` where the heading has `sourceRoot`.
    DryRunCount(std::string sourceRoot, std::string destinationRoot);

    void addEvent(const Event& event);
    [[nodiscard]] const DryRunSummary& summary() const { return m_summary; }

private:
    [[nodiscard]] static std::string PathOf(const std::string& folder, std::string_view name);
    [[nodiscard]] std::string atDestination(std::string_view folder) const;

    DryRunSummary m_summary;
    std::string m_folder;      ///< the folder of the file lines that follow
    std::string m_extraFolder; ///< the same folder at the destination
    std::string m_sourceRoot;
    std::string m_destinationRoot;
};

} // namespace talvex::output
