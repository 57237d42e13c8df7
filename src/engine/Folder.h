// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include <sys/types.h>

#include "engine/Decision.h"
#include "engine/FileOps.h"
#include "engine/Report.h"

namespace robocopy {

// A destination folder: open, or still to be made when its first file arrives, so that /S leaves no
// empty folders behind. It closes its descriptor when it goes.
struct DestDir {
    DestDir() = default;
    ~DestDir();
    DestDir(const DestDir&) = delete;
    DestDir& operator=(const DestDir&) = delete;

    DestDir* parent = nullptr;
    std::string name;
    int fd = -1;
    bool existed = false;
    bool created = false;
    // A folder without the owner's write bit that was opened up for this run, and its mode before.
    bool unlocked = false;
    mode_t lockedMode = 0;
    // New files take the folder's group (set-group-ID); assumed until its mode has been read.
    bool setsGroup = true;
};

// Makes the folder and any missing folder above it, each private and opened without following links;
// counts what it made in dirs. Returns 0 or an errno value.
[[nodiscard]] int EnsureFolder(DestDir& dir, Counts& dirs);

// Read-only folders are written into as robocopy does on Windows, where the read-only attribute of a
// folder never stops a copy: the owner's write bit is added for the run. RestoreMode takes it away
// again, unless the source's mode was carried over anyway (modeCopied). MakeWritable learns setsGroup.
void MakeWritable(DestDir& dir);
void RestoreMode(const DestDir& dir, bool modeCopied);

// One source folder and its destination counterpart while the walk is in them.
struct Folder {
    int sourceFd = -1;
    DestDir dest;
    std::string sourcePath; // with a trailing separator, as the log shows it
    std::string destPath;
    int level = 1;
    Scope scope = Scope::Root;
    // Read ahead while the parent was walked, or on entry; a listing counts only when it was read
    // from the very folder now open.
    Listing sourceListing;
    Listing destListing;
    // Under /FAT the destination names of the source entries, aligned with them; else empty.
    std::vector<std::string> destNames;
    bool readAhead = false;
    bool failed = false;
    // Reached through a followed folder link: what lies here belongs outside the tree the user
    // named, so /MOV and /MOVE copy it but never delete it.
    bool beyondLink = false;
};

// The name a source entry of the folder has in the destination: its own, or its 8.3 form under /FAT.
[[nodiscard]] inline const std::string& DestName(const Folder& folder, const Entry& source) {
    return folder.destNames.empty()
               ? source.name
               : folder.destNames[static_cast<std::size_t>(&source - folder.sourceListing.entries.data())];
}

// A name as the log shows it: alone, or with its folder under /FP.
[[nodiscard]] std::string ShownName(const Options& options, const std::string& dirPath, const std::string& name);

} // namespace robocopy
