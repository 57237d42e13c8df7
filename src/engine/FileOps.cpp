// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/FileOps.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>

#include <dirent.h>
#include <fcntl.h>
#include <sys/xattr.h>
#include <unistd.h>

#include "engine/Descriptor.h"

namespace robocopy {

namespace {

constexpr std::size_t kChunk = 8u * 1024u * 1024u;
constexpr std::size_t kBuffer = 1024u * 1024u;

int copyDataFallback(int in, int out, std::uint64_t& done, const ProgressFunction& progress) {
    std::unique_ptr<char[]> buffer(new char[kBuffer]);
    for (;;) {
        const ssize_t got = ::read(in, buffer.get(), kBuffer);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (got == 0) {
            return 0;
        }
        ssize_t put = 0;
        while (put < got) {
            const ssize_t n = ::write(out, buffer.get() + put, static_cast<std::size_t>(got - put));
            if (n < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return errno;
            }
            put += n;
        }
        done += static_cast<std::uint64_t>(got);
        if (progress) {
            progress(done);
        }
    }
}

int copyData(int in, int out, const ProgressFunction& progress) {
    std::uint64_t done = 0;
    // Smaller steps when someone watches the percentages.
    const std::size_t chunk = progress ? kBuffer : kChunk;
    if (progress) {
        progress(0);
    }
    for (;;) {
        const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, chunk, 0);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            if (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP || errno == EBADF ||
                errno == EPERM) {
                // File systems and kernels that cannot copy in-kernel; the offsets stay where they are.
                return copyDataFallback(in, out, done, progress);
            }
            return errno;
        }
        if (n == 0) {
            return 0;
        }
        done += static_cast<std::uint64_t>(n);
        if (progress) {
            progress(done);
        }
    }
}

void copyAcl(int in, int out) {
    static constexpr const char* kName = "system.posix_acl_access";
    std::array<char, 4096> value{};
    const ssize_t size = ::fgetxattr(in, kName, value.data(), value.size());
    if (size >= 0) {
        (void)::fsetxattr(out, kName, value.data(), static_cast<std::size_t>(size), 0);
    }
}

// The temporary files being written, for the signal handler: an interrupted run leaves no half file.
volatile std::sig_atomic_t pendingDirFd[kWriterSlots] = {-1, -1};
char pendingName[kWriterSlots][64];

void notePending(int slot, int dirFd, const std::string& name) {
    pendingDirFd[slot] = -1;
    const std::size_t length = std::min(name.size(), sizeof pendingName[slot] - 1);
    std::memcpy(pendingName[slot], name.data(), length);
    pendingName[slot][length] = '\0';
    pendingDirFd[slot] = dirFd;
}

extern "C" void removePendingAndDie(int signalNumber) {
    for (int slot = 0; slot < kWriterSlots; ++slot) {
        const int dirFd = pendingDirFd[slot];
        if (dirFd >= 0) {
            ::unlinkat(dirFd, pendingName[slot], 0);
        }
    }
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

std::atomic<unsigned> temporaryCounter{0};

// A temporary name that cannot clash with what a user keeps: dot file, process id and a counter.
std::string temporaryName(unsigned counter) {
    char buffer[64];
    static const int pid = static_cast<int>(::getpid());
    std::snprintf(buffer, sizeof buffer, ".~talvex.%d.%u.tmp", pid, counter);
    return buffer;
}

int createTemporary(int slot, int dirFd, std::string& name) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = temporaryName(++temporaryCounter);
        notePending(slot, dirFd, name);
        const int fd = ::openat(dirFd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            pendingDirFd[slot] = -1; // not ours: it may be another run's
        }
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

int applyMetadata(int fd, const struct stat& source, const CopyFlags& flags, mode_t umask) {
    if (flags.owner && ::fchown(fd, source.st_uid, source.st_gid) != 0 && errno != EPERM) {
        return errno;
    }
    // Set-id bits only make sense with the original owner.
    const mode_t mode = flags.attributes ? (source.st_mode & (flags.owner ? 07777 : 0777)) : (0666 & ~umask);
    if (::fchmod(fd, mode) != 0) {
        return errno;
    }
    if (flags.times) {
        const struct timespec times[2] = {source.st_atim, source.st_mtim};
        if (::futimens(fd, times) != 0) {
            return errno;
        }
    }
    return 0;
}

int copyLinkAt(const CopyRequest& r) {
    if (r.copied != nullptr && ::fstatat(r.sourceDirFd, r.source->name.c_str(), r.copied, AT_SYMLINK_NOFOLLOW) != 0) {
        return errno;
    }
    std::string target(static_cast<std::size_t>(std::max<off_t>(r.source->status.st_size, 0)) + 256, '\0');
    const ssize_t length = ::readlinkat(r.sourceDirFd, r.source->name.c_str(), target.data(), target.size());
    if (length < 0) {
        return errno;
    }
    target.resize(static_cast<std::size_t>(length));
    std::string temporary;
    for (int attempt = 0;; ++attempt) {
        temporary = temporaryName(++temporaryCounter);
        if (::symlinkat(target.c_str(), r.destDirFd, temporary.c_str()) == 0) {
            break;
        }
        if (errno != EEXIST || attempt > 100) {
            return errno;
        }
    }
    if (r.flags.times) {
        const struct timespec times[2] = {r.source->status.st_atim, r.source->status.st_mtim};
        (void)::utimensat(r.destDirFd, temporary.c_str(), times, AT_SYMLINK_NOFOLLOW);
    }
    if (::renameat(r.destDirFd, temporary.c_str(), r.destDirFd, r.name->c_str()) != 0) {
        const int error = errno;
        ::unlinkat(r.destDirFd, temporary.c_str(), 0);
        return error;
    }
    return 0;
}

} // namespace

int readEntries(int dirFd, bool followLinks, std::vector<Entry>& entries) {
    entries.clear();
    // A fresh open file description, so the caller's descriptor keeps its own position.
    const int listFd = ::openat(dirFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listFd < 0) {
        return errno;
    }
    DIR* dir = ::fdopendir(listFd);
    if (dir == nullptr) {
        const int error = errno;
        ::close(listFd);
        return error;
    }
    int error = 0;
    for (;;) {
        errno = 0;
        const dirent* item = ::readdir(dir);
        if (item == nullptr) {
            error = errno;
            break;
        }
        const char* name = item->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) {
            continue;
        }
        entries.push_back(Entry{name, {}, false, 0});
    }
    ::closedir(dir);
    if (error != 0) {
        entries.clear();
        return error;
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.name < b.name; });
    std::size_t kept = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        Entry& entry = entries[i];
        if (::fstatat(dirFd, entry.name.c_str(), &entry.status, AT_SYMLINK_NOFOLLOW) != 0) {
            continue; // gone since it was listed
        }
        if (S_ISLNK(entry.status.st_mode)) {
            entry.isLink = true;
            struct stat target {};
            if (followLinks) {
                if (::fstatat(dirFd, entry.name.c_str(), &target, 0) == 0) {
                    entry.status = target;
                } else {
                    entry.error = errno;
                }
            }
        }
        if (kept != i) {
            entries[kept] = std::move(entry);
        }
        ++kept;
    }
    entries.resize(kept);
    return 0;
}

void listChild(int parentFd, const std::string& name, bool followLink, bool followEntries, Listing& listing) {
    const Descriptor fd(
        ::openat(parentFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW)));
    struct stat status {};
    if (fd.get() < 0 || ::fstat(fd.get(), &status) != 0) {
        listing.error = errno;
        return;
    }
    listing.device = status.st_dev;
    listing.inode = status.st_ino;
    listing.error = readEntries(fd.get(), followEntries, listing.entries);
}

int copyFileAt(const CopyRequest& r) {
    if (r.asLink) {
        return copyLinkAt(r);
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
    (void)::fcntl(in.get(), F_SETFL, 0);
    std::string temporary;
    const int outFd = createTemporary(r.slot, r.destDirFd, temporary);
    if (outFd < 0) {
        return errno;
    }
    int error = 0;
    {
        const Descriptor out(outFd);
        if (!r.createOnly && r.flags.data) {
            error = copyData(in.get(), out.get(), r.progress);
        }
        if (error == 0 && r.flags.security) {
            copyAcl(in.get(), out.get());
        }
        if (error == 0) {
            // The times of the file as it was read, not as listed: it may have changed meanwhile.
            error = applyMetadata(out.get(), status, r.flags, r.umask);
        }
    }
    if (error == 0 && ::renameat(r.destDirFd, temporary.c_str(), r.destDirFd, r.name->c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlinkat(r.destDirFd, temporary.c_str(), 0);
    }
    pendingDirFd[r.slot] = -1;
    return error;
}

int copyMetadataAt(int destDirFd, const std::string& name, const struct stat& source, const CopyFlags& flags) {
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
        struct stat withMode = source;
        withMode.st_mode = current.st_mode;
        metadata.attributes = true;
        return applyMetadata(fd.get(), withMode, metadata, 0);
    }
    return applyMetadata(fd.get(), source, metadata, 0);
}

int removeTreeAt(int dirFd, const std::string& name) {
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
    std::vector<Entry> entries;
    int firstError = readEntries(child.get(), false, entries);
    for (const Entry& entry : entries) {
        int error = 0;
        if (S_ISDIR(entry.status.st_mode)) {
            error = removeTreeAt(child.get(), entry.name);
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

void applyDirectoryMetadata(int dirFd, const struct stat& source, bool created, bool mode, bool times, mode_t umask) {
    struct stat current {};
    if (::fstat(dirFd, &current) != 0) {
        return;
    }
    // A folder we created gets its mode; an existing one only when the mode is to be copied. Nothing is
    // written when it already matches, so an unchanged tree is only read.
    const mode_t wanted = mode ? (source.st_mode & 0777) : (0777 & ~umask);
    if ((created || mode) && (current.st_mode & 07777) != wanted) {
        (void)::fchmod(dirFd, wanted);
    }
    if (times &&
        (current.st_mtim.tv_sec != source.st_mtim.tv_sec || current.st_mtim.tv_nsec != source.st_mtim.tv_nsec)) {
        const struct timespec stamps[2] = {source.st_atim, source.st_mtim};
        (void)::futimens(dirFd, stamps);
    }
}

void removeTemporaryOnInterrupt() {
    for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
        std::signal(signalNumber, removePendingAndDie);
    }
    // A reader that goes away must not stop the copy half-way; its output is simply dropped.
    std::signal(SIGPIPE, SIG_IGN);
}

bool isRetryable(int error) {
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
