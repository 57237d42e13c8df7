// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/FileCalls.h"

namespace talvex::platform {

const int kCreateNewFileFlags = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC;

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd); // the rename is durable only once the folder is flushed; a failure here loses nothing
        ::close(fd);
    }
}

int FileIo::open(const char* path, int flags, mode_t mode) {
    return ::open(path, flags, mode);
}
ssize_t FileIo::write(int fd, const void* data, std::size_t size) {
    return ::write(fd, data, size);
}
int FileIo::fchmod(int fd, mode_t mode) {
    return ::fchmod(fd, mode);
}
int FileIo::fsync(int fd) {
    return ::fsync(fd);
}
int FileIo::close(int fd) {
    return ::close(fd);
}
int FileIo::rename(const char* from, const char* to) {
    return ::rename(from, to);
}
int FileIo::unlink(const char* path) {
    return ::unlink(path);
}

} // namespace talvex::platform
