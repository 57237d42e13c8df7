// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>
#include <vector>

#include <sys/stat.h>

#include "engine/Decision.h"
#include "engine/FileOps.h"
#include "engine/Folder.h"
#include "engine/Options.h"
#include "engine/Report.h"
#include "engine/Transfer.h"
#include "engine/Worker.h"

namespace robocopy {

// Walks the source tree and brings the destination in line with it: pairs the entries of each folder
// by name, acts on what the decision says for each pair, purges extras and descends. The writing is
// the transfer's. Never follows a link in the destination and never deletes outside it.
class TreeCopier final {
public:
    TreeCopier(const Options& options, Report& report, Statistics& statistics);

    // A file that must never be purged, such as the open log file; its folders are kept too.
    void protect(const std::string& path) { protectWithAncestors(path); }

    // Runs the copy; returns false when the source or the destination root cannot be used (fatal).
    [[nodiscard]] bool run();
    // The run stopped before deleting more than /MAXDEL allows.
    [[nodiscard]] bool limitReached() const { return m_limitReached; }

private:
    // An entry of the source, the destination, or both, under one name.
    struct Pair {
        const Entry* source = nullptr;
        const Entry* dest = nullptr;
    };
    // A subfolder that is to be entered.
    struct ChildPlan {
        const Entry* source = nullptr;
        const Entry* dest = nullptr;
        Scope scope = Scope::Included;
    };
    using Identity = std::pair<dev_t, ino_t>;

    // Opens or makes the destination root; returns 0 or an errno value.
    [[nodiscard]] int openDestinationRoot(DestDir& root);
    // Reports a root that cannot be used; true when /TBD waits for it and it is to be tried again.
    [[nodiscard]] bool waitForRoot(int error, std::string_view action, const std::string& path, int& attempts);
    void walk(Folder& folder);
    // The entries of both listings under one name each, in the destination's order of names.
    [[nodiscard]] std::vector<Pair> pairUp(const Folder& folder) const;
    // Reads both listings unless they were read ahead; false when the folder cannot be walked.
    [[nodiscard]] bool readListings(Folder& folder);
    // Names the folder in the log and, for /E, makes it; false when it cannot be made.
    [[nodiscard]] bool announce(Folder& folder);
    void handleFiles(Folder& folder, const std::vector<Pair>& pairs);
    void handleFile(Folder& folder, const Entry& source, const Entry* dest);
    void handleExtraFile(Folder& folder, const Entry& extra);
    [[nodiscard]] std::vector<ChildPlan> planChildren(Folder& folder, const std::vector<Pair>& pairs);
    void enterChildren(Folder& folder, const std::vector<ChildPlan>& plans);
    void enterChild(Folder& folder, const ChildPlan& plan, Listing& sourceListing, Listing& destListing);
    void handleExtraFolder(Folder& folder, const Entry& extra);
    void failFolder(Folder& folder, int error, std::string_view action, const std::string& path);
    // Deletes a destination entry; a failure is counted as one.
    [[nodiscard]] bool purge(Folder& folder, const Entry& extra);
    // Under /PURGE a mismatched destination entry goes, so that the source can come as new.
    [[nodiscard]] bool replaceMismatch(Folder& folder, const Entry& dest);
    // Counts deletions against /MAXDEL; false, and the run stops, when these would go beyond it.
    [[nodiscard]] bool mayDelete(std::uint64_t entries, const std::string& path);
    [[nodiscard]] DirectoryMetadata folderMetadata(const DestDir& dest, int sourceFd, const Status& source) const;

    void protectWithAncestors(const std::string& path);
    [[nodiscard]] bool isProtected(const Status& status) const;

    const Options& m_options;
    Report& m_report;
    Statistics& m_statistics;
    mode_t m_umask = 022;
    std::vector<Identity> m_protected;
    std::vector<Identity> m_ancestors; // source folders being walked, to stop link loops
    Identity m_destRoot{};
    bool m_haveDestRoot = false;
    Identity m_sourceRoot{};
    std::uint64_t m_deleted = 0;
    bool m_limitReached = false;
    Worker m_worker;
    Transfer m_transfer;
};

} // namespace robocopy
