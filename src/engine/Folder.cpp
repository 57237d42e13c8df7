// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Folder.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace robocopy {

DestDir::~DestDir() {
    if (fd >= 0) {
        ::close(fd);
    }
}

int EnsureFolder(DestDir& dir, Counts& dirs) {
    if (dir.fd >= 0) {
        return 0;
    }
    if (dir.parent == nullptr) {
        return ENOENT;
    }
    if (const int error = EnsureFolder(*dir.parent, dirs); error != 0) {
        return error;
    }
    // Created private; the mode is set once its content is in.
    if (::mkdirat(dir.parent->fd, dir.name.c_str(), 0700) != 0 && errno != EEXIST) {
        return errno;
    }
    dir.fd = ::openat(dir.parent->fd, dir.name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (dir.fd < 0) {
        return errno;
    }
    dir.created = true;
    ++dirs.copied;
    return 0;
}

void MakeWritable(DestDir& dir) {
    struct stat status {};
    if (dir.unlocked || dir.fd < 0 || ::fstat(dir.fd, &status) != 0) {
        return;
    }
    dir.setsGroup = (status.st_mode & S_ISGID) != 0;
    if ((status.st_mode & S_IWUSR) != 0) {
        return;
    }
    if (::fchmod(dir.fd, (status.st_mode & 07777) | S_IWUSR) == 0) {
        dir.unlocked = true;
        dir.lockedMode = status.st_mode & 07777;
    }
}

void RestoreMode(const DestDir& dir, bool modeCopied) {
    if (dir.unlocked && !modeCopied && dir.fd >= 0) {
        (void)::fchmod(dir.fd, dir.lockedMode);
    }
}

std::string ShownName(const Options& options, const std::string& dirPath, const std::string& name) {
    return options.fullPaths ? dirPath + name : name;
}

} // namespace robocopy
