// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/FileOps.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include <dirent.h>
#include <fcntl.h>
#include <sys/xattr.h>
#include <unistd.h>

#include "engine/Attributes.h"
#include "engine/Descriptor.h"
#include "engine/Restartable.h"
#include "engine/Temporary.h"

namespace robocopy {

namespace {

// Folders whose own size (which grows with their entries) is above this are counted before they are read.
constexpr off_t kCountFirstFolderSize = off_t{32} * 1024;

bool ReadAttribute(int fd, const char* name, std::vector<char>& value) {
    const ssize_t size = ::fgetxattr(fd, name, nullptr, 0);
    if (size < 0) {
        return false;
    }
    value.resize(static_cast<std::size_t>(size));
    const ssize_t got = ::fgetxattr(fd, name, value.data(), value.size());
    if (got < 0) {
        return false;
    }
    value.resize(static_cast<std::size_t>(got));
    return true;
}

// The extended attributes that security carries: the access ACL, a folder's default ACL, and the
// user namespace (where the DOS attributes live). Only what differs is written; a file made a moment
// ago (fresh) has none yet. Returns whether the DOS attributes were among them.
bool CopyExtendedAttributes(int in, int out, bool directory, bool fresh = false) {
    std::vector<char> names(1024);
    ssize_t size = ::flistxattr(in, names.data(), names.size());
    if (size < 0 && errno == ERANGE) {
        size = ::flistxattr(in, nullptr, 0);
        names.resize(static_cast<std::size_t>(std::max<ssize_t>(size, 0)));
        size = ::flistxattr(in, names.data(), names.size());
    }
    bool dosAttributes = false;
    std::vector<char> value;
    std::vector<char> current;
    for (std::size_t at = 0; size > 0 && at < static_cast<std::size_t>(size);) {
        const std::string_view name(names.data() + at);
        at += name.size() + 1;
        dosAttributes = dosAttributes || name == kDosAttribName;
        const bool carried = name.starts_with("user.") || name == "system.posix_acl_access" ||
                             (directory && name == "system.posix_acl_default");
        if (!carried || !ReadAttribute(in, name.data(), value) ||
            (!fresh && ReadAttribute(out, name.data(), current) && current == value)) {
            continue;
        }
        (void)::fsetxattr(out, name.data(), value.data(), value.size(), 0);
    }
    // A file system without extended attributes lists none; one that fails otherwise may still hold them.
    return dosAttributes || size < 0;
}

mode_t ModeFor(const Status& source, const CopyFlags& flags, mode_t umask) {
    // Set-id bits only make sense with the original owner.
    return flags.attributes ? (source.st_mode & (flags.owner ? 07777 : 0777)) : (0666 & ~umask);
}

// What a file made by this run already has: our owner and group, and the mode it was made with.
struct Made {
    bool owner = false;
    bool mode = false;
    bool bare = false; // no extended attributes of its own yet
};

int ApplyMetadata(int fd, const Status& source, const CopyFlags& flags, mode_t umask, Made made = {}) {
    if (flags.owner && !made.owner && ::fchown(fd, source.st_uid, source.st_gid) != 0 && errno != EPERM) {
        return errno;
    }
    if (!made.mode && ::fchmod(fd, ModeFor(source, flags, umask)) != 0) {
        return errno;
    }
    if (flags.times) {
        const std::array<struct timespec, 2> times = {source.st_atim, source.st_mtim};
        if (::futimens(fd, times.data()) != 0) {
            return errno;
        }
    }
    return 0;
}

// The DOS attributes of the copy: the source's with /COPY:A, then those of /A+ set and of /A- cleared.
// Read-only lives in the write bits too, so it changes the mode as well.
int CarryAttributes(int in, int out, const struct stat& source, const CopyRequest& r, bool mayHaveThem) {
    const StoredAttributes stored = r.flags.attributes && mayHaveThem ? ReadDosAttrib(in) : StoredAttributes{};
    const std::uint32_t bits = (stored.bits | r.addAttributes) & ~r.removeAttributes;
    if (stored.stored || bits != 0) {
        (void)WriteDosAttrib(out, bits); // a file system without them was noted; the data is what counts
    }
    const mode_t mode = ModeFor(source, r.flags, r.umask);
    if ((r.addAttributes & kAttrReadOnly) != 0) {
        return ::fchmod(out, mode & ~mode_t{0222}) == 0 ? 0 : errno;
    }
    if ((r.removeAttributes & kAttrReadOnly) != 0) {
        return ::fchmod(out, mode | S_IWUSR) == 0 ? 0 : errno;
    }
    return 0;
}

// Everything but the data: extended attributes, mode, owner, times and DOS attributes.
int FinishFile(const CopyRequest& r, int in, int out, const struct stat& status, Made made = {}) {
    // Without the listing of its attributes the source may have DOS attributes; with it, it says.
    const bool mayHaveDos = r.flags.security ? CopyExtendedAttributes(in, out, false, made.bare) : true;
    // The times of the file as it was read, not as listed: it may have changed meanwhile.
    int error = ApplyMetadata(out, status, r.flags, r.umask, made);
    if (error == 0 && (r.flags.attributes || r.addAttributes != 0 || r.removeAttributes != 0)) {
        error = CarryAttributes(in, out, status, r, mayHaveDos);
    }
    return error;
}

// A new file can be made with its final mode when it keeps our owner and group and the mode has no
// bits that the creation mask or a later change of owner would drop: nobody sees more of it early
// than they may see once it is in place. Else it is made private and given its mode at the end.
Made MadeAs(const CopyRequest& r, const struct stat& status, mode_t& mode) {
    static const uid_t user = ::geteuid();
    static const gid_t group = ::getegid();
    Made made;
    made.bare = true;
    made.owner = !r.flags.owner || (status.st_uid == user && status.st_gid == group && !r.folderSetsGroup);
    mode = ModeFor(status, r.flags, r.umask);
    made.mode = made.owner && (mode & (07000 | r.umask)) == 0;
    if (!made.mode) {
        mode = 0600;
    }
    return made;
}

// /Z: on failure, or when the run is ended, the partial file stays for the next run to resume.
int CopyRestartable(const CopyRequest& r, int in, const struct stat& status) {
    const std::string partial = PartialName(*r.name);
    off_t from = 0;
    const int outFd = OpenPartial(r.destDirFd, partial, in, status, from);
    if (outFd < 0) {
        return errno;
    }
    int error = 0;
    {
        const Descriptor out(outFd);
        error = CopyData(in, out.get(), status, r.progress, r.gapMilliseconds, from);
        if (error == 0) {
            FinishPartial(out.get());
            error = FinishFile(r, in, out.get(), status);
        }
    }
    if (error == 0 && ::renameat(r.destDirFd, partial.c_str(), r.destDirFd, r.name->c_str()) != 0) {
        error = errno;
    }
    return error;
}

// Gives a link or node made under a temporary name its owner, mode and times, and renames it into place.
int PlaceEntry(const CopyRequest& r, const std::string& temporary, const struct stat& source, bool isNode) {
    const char* name = temporary.c_str();
    int error = 0;
    if (isNode && r.flags.owner &&
        ::fchownat(r.destDirFd, name, source.st_uid, source.st_gid, AT_SYMLINK_NOFOLLOW) != 0) {
        error = errno;
    }
    // The node was made here a moment ago and is a node, not a link, so following is harmless.
    if (error == 0 && isNode && ::fchmodat(r.destDirFd, name, ModeFor(source, r.flags, r.umask), 0) != 0) {
        error = errno;
    }
    if (error == 0 && r.flags.times) {
        const std::array<struct timespec, 2> times = {source.st_atim, source.st_mtim};
        (void)::utimensat(r.destDirFd, name, times.data(), AT_SYMLINK_NOFOLLOW);
    }
    if (error == 0 && ::renameat(r.destDirFd, name, r.destDirFd, r.name->c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlinkat(r.destDirFd, name, 0);
    }
    ReleaseTemporary(r.slot);
    return error;
}

int CopyLinkAt(const CopyRequest& r) {
    struct stat status {};
    if (::fstatat(r.sourceDirFd, r.source->name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
        return errno;
    }
    if (r.copied != nullptr) {
        *r.copied = status;
    }
    std::string target(static_cast<std::size_t>(std::max<off_t>(status.st_size, 0)) + 256, '\0');
    const ssize_t length = ::readlinkat(r.sourceDirFd, r.source->name.c_str(), target.data(), target.size());
    if (length < 0) {
        return errno;
    }
    target.resize(static_cast<std::size_t>(length));
    std::string temporary;
    const auto make = [&target](int dirFd, const char* name) { return ::symlinkat(target.c_str(), dirFd, name); };
    if (CreateTemporary(r.slot, r.destDirFd, temporary, make) != 0) {
        return errno;
    }
    return PlaceEntry(r, temporary, status, false);
}

// FIFOs and devices are made anew, never opened: opening a device can act on the hardware.
int CopyNodeAt(const CopyRequest& r) {
    struct stat status {};
    if (::fstatat(r.sourceDirFd, r.source->name.c_str(), &status, r.source->isLink ? 0 : AT_SYMLINK_NOFOLLOW) != 0) {
        return errno;
    }
    if (r.copied != nullptr) {
        *r.copied = status;
    }
    if ((status.st_mode & S_IFMT) != (r.source->status.st_mode & S_IFMT)) {
        return EINVAL; // swapped for something else since it was listed
    }
    std::string temporary;
    const auto make = [&status](int dirFd, const char* name) {
        return ::mknodat(dirFd, name, (status.st_mode & S_IFMT) | 0600, status.st_rdev);
    };
    if (CreateTemporary(r.slot, r.destDirFd, temporary, make) != 0) {
        return errno;
    }
    return PlaceEntry(r, temporary, status, true);
}

// Calls take(name) for every entry of the folder open at fd but "." and "..", from its start.
template <typename Take>
int ForEachName(int fd, bool atStart, Take take) {
    if (!atStart && ::lseek(fd, 0, SEEK_SET) != 0) {
        return errno;
    }
    // Straight from the kernel: a directory stream would cost three more calls per folder.
    alignas(dirent64) std::array<char, 32768> buffer;
    for (;;) {
        const ssize_t got = ::getdents64(fd, buffer.data(), buffer.size());
        if (got <= 0) {
            return got == 0 ? 0 : errno;
        }
        for (ssize_t at = 0; at < got;) {
            const auto* item = reinterpret_cast<const dirent64*>(buffer.data() + at);
            at += item->d_reclen;
            const char* name = item->d_name;
            if (!(name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))) {
                take(name);
            }
        }
    }
}

// The status of every entry, sorted by name; entries gone since they were listed are left out.
void StatEntries(int dirFd, bool followLinks, std::vector<Entry>& entries) {
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.name < b.name; });
    std::size_t kept = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        Entry& entry = entries[i];
        struct stat status {};
        if (::fstatat(dirFd, entry.name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
            continue; // gone since it was listed
        }
        entry.status = status;
        if (S_ISLNK(entry.status.st_mode)) {
            entry.isLink = true;
            struct stat target {};
            if (::fstatat(dirFd, entry.name.c_str(), &target, 0) == 0) {
                entry.linkToDir = S_ISDIR(target.st_mode);
                if (followLinks) {
                    entry.status = target;
                }
            } else if (followLinks) {
                entry.error = errno;
            }
        }
        if (kept != i) {
            entries[kept] = std::move(entry);
        }
        ++kept;
    }
    entries.resize(kept);
}

// ReadEntries for a folder whose own size is known; atStart: fd was just opened.
int ReadEntriesFrom(int fd, off_t folderSize, bool atStart, bool followLinks, std::vector<Entry>& entries) {
    entries.clear();
    // A wide folder is counted first, so that its entries take no more room than they need: growing
    // the list as it fills would cost up to three times that at the moment it moves.
    if (folderSize > kCountFirstFolderSize) {
        std::size_t count = 0;
        if (const int error = ForEachName(fd, atStart, [&count](const char*) { ++count; }); error != 0) {
            return error;
        }
        entries.reserve(count);
        atStart = false;
    }
    if (const int error = ForEachName(fd, atStart,
                                      [&entries](const char* name) {
                                          entries.push_back(Entry{name, {}, false, false, 0});
                                      });
        error != 0) {
        entries.clear();
        return error;
    }
    StatEntries(fd, followLinks, entries);
    return 0;
}

} // namespace

int ReadEntries(int dirFd, bool followLinks, std::vector<Entry>& entries) {
    struct stat folder {};
    if (::fstat(dirFd, &folder) != 0) {
        entries.clear();
        return errno;
    }
    return ReadEntriesFrom(dirFd, folder.st_size, false, followLinks, entries);
}

void ListChild(int parentFd, const std::string& name, bool followLink, bool followEntries, Listing& listing) {
    const Descriptor fd(
        ::openat(parentFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW)));
    struct stat status {};
    if (fd.get() < 0 || ::fstat(fd.get(), &status) != 0) {
        listing.error = errno;
        return;
    }
    listing.device = status.st_dev;
    listing.inode = status.st_ino;
    listing.error = ReadEntriesFrom(fd.get(), status.st_size, true, followEntries, listing.entries);
}

int CopyFileAt(const CopyRequest& r) {
    if (r.asLink) {
        return CopyLinkAt(r);
    }
    if (IsSpecialFile(r.source->status)) {
        return CopyNodeAt(r);
    }
    // Non-blocking, so that a FIFO swapped in for a file cannot hang the run.
    const int openFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | (r.source->isLink ? 0 : O_NOFOLLOW);
    const Descriptor in(::openat(r.sourceDirFd, r.source->name.c_str(), openFlags));
    if (in.get() < 0) {
        return errno;
    }
    struct stat status {};
    if (::fstat(in.get(), &status) != 0) {
        return errno;
    }
    if (r.copied != nullptr) {
        *r.copied = status;
    }
    if (!S_ISREG(status.st_mode)) {
        return EINVAL;
    }
    // O_NONBLOCK stays: it means nothing to the reads of a regular file.
    if (r.restartable && r.flags.data && !r.createOnly) {
        return CopyRestartable(r, in.get(), status);
    }
    mode_t mode = 0600;
    const Made made = MadeAs(r, status, mode);
    std::string temporary;
    const auto make = [mode](int dirFd, const char* name) {
        return ::openat(dirFd, name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    };
    const int outFd = CreateTemporary(r.slot, r.destDirFd, temporary, make);
    if (outFd < 0) {
        return errno;
    }
    int error = 0;
    {
        const Descriptor out(outFd);
        if (!r.createOnly && r.flags.data) {
            error = CopyData(in.get(), out.get(), status, r.progress, r.gapMilliseconds);
        }
        if (error == 0) {
            error = FinishFile(r, in.get(), out.get(), status, made);
        }
    }
    if (error == 0 && ::renameat(r.destDirFd, temporary.c_str(), r.destDirFd, r.name->c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlinkat(r.destDirFd, temporary.c_str(), 0);
    }
    ReleaseTemporary(r.slot);
    return error;
}

int CopyMetadataAt(int destDirFd, const std::string& name, const Status& source, const CopyFlags& flags) {
    const Descriptor fd(::openat(destDirFd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) {
        return errno;
    }
    CopyFlags metadata = flags;
    if (!metadata.attributes) {
        // Keep the file's own mode: nothing asked to change it.
        struct stat current {};
        if (::fstat(fd.get(), &current) != 0) {
            return errno;
        }
        Status withMode = source;
        withMode.st_mode = current.st_mode;
        metadata.attributes = true;
        return ApplyMetadata(fd.get(), withMode, metadata, 0);
    }
    return ApplyMetadata(fd.get(), source, metadata, 0);
}

int RemoveTreeAt(int dirFd, const std::string& name) {
    if (::unlinkat(dirFd, name.c_str(), AT_REMOVEDIR) == 0) {
        return 0;
    }
    if (errno != ENOTEMPTY && errno != EEXIST) {
        return errno;
    }
    const Descriptor child(::openat(dirFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (child.get() < 0) {
        return errno;
    }
    // It goes anyway: a read-only folder must not keep an extra that a mirror has to delete.
    struct stat status {};
    if (::fstat(child.get(), &status) == 0 && (status.st_mode & S_IWUSR) == 0) {
        (void)::fchmod(child.get(), (status.st_mode & 07777) | S_IWUSR);
    }
    std::vector<Entry> entries;
    int firstError = ReadEntries(child.get(), false, entries);
    for (const Entry& entry : entries) {
        int error = 0;
        if (S_ISDIR(entry.status.st_mode)) {
            error = RemoveTreeAt(child.get(), entry.name);
        } else if (::unlinkat(child.get(), entry.name.c_str(), 0) != 0 && errno != ENOENT) {
            error = errno;
        }
        if (firstError == 0) {
            firstError = error;
        }
    }
    if (::unlinkat(dirFd, name.c_str(), AT_REMOVEDIR) != 0 && firstError == 0) {
        firstError = errno;
    }
    return firstError;
}

int RemoveEntryAt(int dirFd, const Entry& entry) {
    if (S_ISDIR(entry.status.st_mode) && !entry.isLink) {
        return RemoveTreeAt(dirFd, entry.name);
    }
    return ::unlinkat(dirFd, entry.name.c_str(), 0) == 0 || errno == ENOENT ? 0 : errno;
}

std::uint64_t CountTreeAt(int dirFd, const std::string& name) {
    const Descriptor child(::openat(dirFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    std::vector<Entry> entries;
    if (child.get() < 0 || ReadEntries(child.get(), false, entries) != 0) {
        return 1;
    }
    std::uint64_t count = 1;
    for (const Entry& entry : entries) {
        count += S_ISDIR(entry.status.st_mode) ? CountTreeAt(child.get(), entry.name) : 1;
    }
    return count;
}

void ApplyDirectoryMetadata(const DirectoryMetadata& m) {
    struct stat current {};
    if (::fstat(m.dirFd, &current) != 0) {
        return;
    }
    const Status& source = *m.source;
    // Nothing is written that already matches, so an unchanged tree is only read.
    if (m.flags.owner && (current.st_uid != source.st_uid || current.st_gid != source.st_gid)) {
        (void)::fchown(m.dirFd, source.st_uid, source.st_gid);
    }
    if (m.flags.security && m.sourceFd >= 0) {
        CopyExtendedAttributes(m.sourceFd, m.dirFd, true);
    }
    // A folder we created gets its mode; an existing one only when the mode is to be copied. The
    // sticky and set-group bits belong to a folder's mode: without them a shared folder lets anyone
    // delete others' files. A folder made without the mode keeps what the system gave it.
    const mode_t wanted =
        m.flags.attributes ? (source.st_mode & 07777) : ((0777 & ~m.umask) | (current.st_mode & 07000));
    if ((m.created || m.flags.attributes) && (current.st_mode & 07777) != wanted) {
        (void)::fchmod(m.dirFd, wanted);
    }
    if (m.times &&
        (current.st_mtim.tv_sec != source.st_mtim.tv_sec || current.st_mtim.tv_nsec != source.st_mtim.tv_nsec)) {
        const std::array<struct timespec, 2> stamps = {source.st_atim, source.st_mtim};
        (void)::futimens(m.dirFd, stamps.data());
    }
}

bool IsRetryable(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ELOOP:
    case EISDIR:
    case EINVAL:
    case ENAMETOOLONG:
        return false;
    default:
        return true;
    }
}

} // namespace robocopy
