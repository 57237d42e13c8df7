// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include <sys/types.h>

#include "engine/FileOps.h"
#include "engine/Folder.h"
#include "engine/Options.h"
#include "engine/Report.h"
#include "engine/Worker.h"

namespace robocopy {

// A file that is to be written, and how its last attempt went.
struct CopyTask {
    const Entry* source = nullptr;
    const Entry* dest = nullptr; // the file it replaces, if any
    std::string_view label;      // its class word in the log
    std::uint64_t size = 0;
    int error = 0;
    struct stat copied {}; // the source as the last attempt read it
};

// Writes what the walk decided to write: file data, retries with /R and /W, and the deletions of /MOV
// and /MOVE. Each file and every error is named in the report and counted in the statistics.
class Transfer final {
public:
    Transfer(const Options& options, Report& report, Statistics& statistics, Worker& worker, mode_t umask);
    Transfer(const Transfer&) = delete;
    Transfer& operator=(const Transfer&) = delete;

    // Small files wait to be written together; a big one goes at once, after them, with its progress.
    void add(Folder& folder, const CopyTask& task);
    // Writes the files that wait; the walk calls it before it leaves the folder's listing.
    void flush(Folder& folder);
    // Carries mode and times onto the file that is there, without its data.
    void copyMetadata(Folder& folder, const Entry& source);
    // /MOVE: removes a source folder that was walked without failure; it stays when anything is left in it.
    void removeMovedFolder(int parentFd, const Entry& folder) const;

private:
    [[nodiscard]] int attempt(const Folder& folder, CopyTask& task, int slot) const;
    // Makes the destination folder; on failure the waiting files are reported as failed and dropped.
    [[nodiscard]] bool ensureForBatch(Folder& folder);
    void finish(Folder& folder, CopyTask& task);
    // /MOV: deletes the source file only in the state it was copied in.
    void removeMovedFile(const Folder& folder, const CopyTask& task) const;
    void show(const Folder& folder, const CopyTask& task);
    [[nodiscard]] bool parallel() const { return m_options.threads > 0; }

    const Options& m_options;
    Report& m_report;
    Statistics& m_statistics;
    Worker& m_worker;
    mode_t m_umask;
    std::vector<CopyTask> m_batch;
};

} // namespace robocopy
