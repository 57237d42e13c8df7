// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include <sys/stat.h>

#include "engine/FileClass.h"
#include "engine/FileOps.h"
#include "engine/Options.h"
#include "engine/Report.h"
#include "engine/Worker.h"

namespace robocopy {

// Walks the source tree and brings the destination in line with it: copies by class, purges extras,
// moves. Never follows a link in the destination and never deletes outside it.
class TreeCopier final {
public:
    TreeCopier(const Options& options, Report& report, Statistics& statistics);

    // A file that must never be purged, such as the open log file; its folders are kept too.
    void protect(const std::string& path) { protectWithAncestors(path); }

    // Runs the copy; returns false when the source or the destination root cannot be used (fatal).
    [[nodiscard]] bool run();

private:
    enum class Scope {
        Root,     // its files are copied; its folders only when /ID lets them
        Included, // files and folders are copied
        LeadsTo,  // only on the way to a folder named by a full path in /ID
    };
    // A subfolder that is to be entered.
    struct ChildPlan {
        const Entry* source = nullptr;
        const Entry* dest = nullptr;
        Scope scope = Scope::Included;
    };
    struct DestDir {
        DestDir* parent = nullptr;
        std::string name;
        int fd = -1;
        bool existed = false;
        bool created = false;
        struct stat status {};
    };
    // The listings, when given, were read ahead; they are used only if they belong to the folders now open.
    void processDirectory(int sourceFd, DestDir& dest, const std::string& sourcePath, const std::string& destPath,
                          int level, Scope scope, bool& anyFailure, Listing* prefetchedSource, Listing* prefetchedDest);
    void processChild(int sourceFd, DestDir& dest, const ChildPlan& plan, const std::string& sourcePath,
                      const std::string& destPath, int level, bool& anyFailure, Listing* sourceListing,
                      Listing* destListing);
    // A file that is to be written, and how its first attempt went.
    struct CopyTask {
        const Entry* source = nullptr;
        const Entry* dest = nullptr;
        FileClass fileClass = FileClass::New;
        std::uint64_t size = 0;
        int error = 0;
        double seconds = 0;
    };
    // Decides what happens to a source file; settles everything but a copy itself and returns true
    // when the file is to be written.
    [[nodiscard]] bool prepareFile(DestDir& dest, const Entry& source, const Entry* existing,
                                   const std::string& sourcePath, bool& anyFailure, CopyTask& task);
    [[nodiscard]] int attemptCopy(int sourceFd, int destFd, const CopyTask& task, int slot, bool recheck) const;
    void copyBatch(int sourceFd, DestDir& dest, std::vector<CopyTask>& batch, const std::string& sourcePath,
                   bool& anyFailure);
    // Makes the destination folder; on failure the batch is reported as failed and emptied.
    [[nodiscard]] bool ensureForBatch(DestDir& dest, std::vector<CopyTask>& batch, const std::string& sourcePath,
                                      bool& anyFailure);
    void finishFile(int sourceFd, DestDir& dest, CopyTask& task, const std::string& sourcePath, bool& anyFailure);
    void showFile(const CopyTask& task, const std::string& sourcePath);
    void processExtraFile(DestDir& dest, const Entry& extra, const std::string& sourcePath,
                          const std::string& destPath);
    void processExtraDirectory(DestDir& dest, const Entry& extra, const std::string& sourcePath,
                               const std::string& destPath, int level, Scope scope);

    [[nodiscard]] int ensure(DestDir& dir);
    [[nodiscard]] bool fileSelected(const std::string& name, const std::string& sourceDirPath,
                                    const std::string* destDirPath = nullptr) const;
    [[nodiscard]] Scope directoryScope(const std::string& name, const std::string& sourceDirPath,
                                       const std::string* destDirPath, Scope parent, bool& enter) const;
    void protectWithAncestors(const std::string& path);
    [[nodiscard]] bool isProtected(const struct stat& status) const;
    [[nodiscard]] bool linkExcluded(const Entry& entry) const;
    [[nodiscard]] std::string shownName(const std::string& dirPath, const std::string& name) const;

    const Options& m_options;
    Report& m_report;
    Statistics& m_statistics;
    mode_t m_umask = 022;
    std::vector<std::pair<dev_t, ino_t>> m_protected;
    std::vector<std::pair<dev_t, ino_t>> m_ancestors; // source folders being walked, to stop link loops
    dev_t m_destRootDev = 0;
    ino_t m_destRootIno = 0;
    bool m_haveDestRoot = false;
    dev_t m_sourceRootDev = 0;
    ino_t m_sourceRootIno = 0;
    Worker m_worker;
};

} // namespace robocopy
