// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "engine/DataCopy.h"
#include "engine/Options.h"
#include "engine/Status.h"
#include "engine/Temporary.h"

// File operations relative to directory descriptors. Every change below a folder goes through that
// folder's descriptor with O_NOFOLLOW, so a link swapped in during a run cannot redirect a write or a
// delete to somewhere outside the tree.
namespace robocopy {

struct Entry {
    std::string name;
    Status status;
    bool isLink = false;    // the entry itself is a symbolic link
    bool linkToDir = false; // a link whose target is a folder, also when the link is not followed
    int error = 0;          // when following a link failed (a dangling link)
};

// FIFOs, sockets and devices: neither files nor folders.
[[nodiscard]] inline bool IsSpecialFile(const Status& status) {
    return S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode) || S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode);
}

[[nodiscard]] inline std::uint64_t SizeOf(const Entry& entry) {
    return entry.status.st_size > 0 ? static_cast<std::uint64_t>(entry.status.st_size) : 0;
}

// Reads a folder's entries sorted by name; links are followed when asked (their target's status is
// kept). Entries that vanish between listing and status are left out. Returns 0 or an errno value.
// It reads from dirFd itself, from the start: no other thread may list through it meanwhile.
[[nodiscard]] int ReadEntries(int dirFd, bool followLinks, std::vector<Entry>& entries);

// A folder's entries, with the identity of the folder they were read from.
struct Listing {
    int error = 0;
    std::vector<Entry> entries;
    dev_t device = 0;
    ino_t inode = 0;
};

// Opens the folder name below parentFd (never through a link unless followLink), lists it and closes it.
void ListChild(int parentFd, const std::string& name, bool followLink, bool followEntries, Listing& listing);

struct CopyRequest {
    int sourceDirFd = -1;
    const Entry* source = nullptr;
    int destDirFd = -1;
    const std::string* name = nullptr;
    CopyFlags flags;
    bool createOnly = false; // zero-length file only
    bool asLink = false;     // copy the link itself
    mode_t umask = 022;
    std::uint32_t addAttributes = 0;    // /A+
    std::uint32_t removeAttributes = 0; // /A-
    int gapMilliseconds = 0;            // /IPG
    bool restartable = false;           // /Z: through a partial file that an interruption leaves to resume
    bool folderSetsGroup = false;       // the destination folder gives new files its group (set-group-ID)
    int slot = 0; // which thread writes: each has its own temporary file to clean up on interruption
    ProgressFunction progress;
    struct stat* copied = nullptr; // when set, receives the source's status as it was read
};

// Writes the file (the link itself under asLink; a FIFO or device as a new node) under a temporary
// name in the destination folder and renames it into place once its data, mode and times are set, so
// an interrupted run never leaves a truncated file under the real name. Returns 0 or an errno value;
// the temporary file is removed on failure.
[[nodiscard]] int CopyFileAt(const CopyRequest& request);

// Applies mode and times of a source file onto an existing destination file without touching data.
[[nodiscard]] int CopyMetadataAt(int destDirFd, const std::string& name, const Status& source, const CopyFlags& flags);

// Removes a directory tree below dirFd without ever following a link; a link is removed as a link.
// Returns 0 or the first errno value met; it goes on with the rest after an error.
[[nodiscard]] int RemoveTreeAt(int dirFd, const std::string& name);

// Removes a file, link or folder tree below dirFd; returns 0 or the first errno value met.
[[nodiscard]] int RemoveEntryAt(int dirFd, const Entry& entry);
// The entries a removal of the folder name below dirFd would delete, the folder included.
[[nodiscard]] std::uint64_t CountTreeAt(int dirFd, const std::string& name);

struct DirectoryMetadata {
    int dirFd = -1;
    int sourceFd = -1; // for extended attributes
    const Status* source = nullptr;
    bool created = false;
    CopyFlags flags;
    bool times = false;
    mode_t umask = 022;
};
// Carries the source folder's mode bits, owner, extended attributes and times onto a folder, as asked.
void ApplyDirectoryMetadata(const DirectoryMetadata& metadata);

// True for errors that a later attempt can cure (a busy or locked file), false for a file that is gone.
[[nodiscard]] bool IsRetryable(int error);

} // namespace robocopy
