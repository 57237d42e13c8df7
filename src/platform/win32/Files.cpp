// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Files.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>

#include "platform/FileCalls.h"
#include "platform/win32/Wide.h"
#include <io.h>

namespace talvex::platform {

// Binary, so that the C library never turns "\n" into "\r\n" behind the writer's back: the
// callers decide the line ends of what they write.
const int kCreateNewFileFlags = O_WRONLY | O_CREAT | O_EXCL | O_BINARY | O_NOINHERIT;

void SyncFolder(const std::string& /*folder*/) {
    // MoveFileExW with MOVEFILE_WRITE_THROUGH returns only once the rename is on the disk.
}

int FileIo::open(const char* path, int flags, mode_t mode) {
    // Windows keeps only a read-only bit; a new file is always writable by its creator.
    return ::_wopen(win32::Widen(path).c_str(), flags, mode & (_S_IREAD | _S_IWRITE));
}
ssize_t FileIo::write(int fd, const void* data, std::size_t size) {
    constexpr std::size_t kMaxChunk = 1u << 30; // _write takes an unsigned int
    return ::_write(fd, data, static_cast<unsigned int>(std::min(size, kMaxChunk)));
}
int FileIo::fchmod(int /*fd*/, mode_t /*mode*/) {
    // Permission bits do not exist here; the file's security comes from its folder.
    return 0;
}
int FileIo::fsync(int fd) {
    return ::_commit(fd);
}
int FileIo::close(int fd) {
    return ::_close(fd);
}
int FileIo::rename(const char* from, const char* to) {
    // The C library's rename refuses an existing target; replacing it is the point here.
    if (::MoveFileExW(win32::Widen(from).c_str(), win32::Widen(to).c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return 0;
    }
    errno = ::GetLastError() == ERROR_ACCESS_DENIED ? EACCES : EIO;
    return -1;
}
int FileIo::unlink(const char* path) {
    return ::_wunlink(win32::Widen(path).c_str());
}

} // namespace talvex::platform
