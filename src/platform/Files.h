// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include <sys/types.h>

namespace talvex::platform {

/// Waits between attempts; tests pass one that records instead of sleeping.
using Wait = std::function<void(std::chrono::milliseconds)>;

/// Deletes the file if it exists, trying up to 10 times with 200 ms between attempts, because another
/// program (a virus scanner, an editor) may hold it for a moment. True when the file does not exist
/// afterwards. A folder of that name is never removed and gives false. An empty wait sleeps.
[[nodiscard]] bool EnsureFileDeleted(const std::string& path, const Wait& wait = {});

/// Why a file operation failed, in a form the caller can put into a message: the file concerned
/// and the system's reason (strerror).
struct FileError {
    std::string path;
    int errorNumber = 0;
    std::string reason;

    /// "<path>: <reason>"
    [[nodiscard]] std::string describe() const;
};

/// The system calls the atomic writer makes. Tests replace single calls to inject faults
/// (a disk that fills after N bytes, a failing flush or rename).
class FileIo {
public:
    virtual ~FileIo() = default;
    virtual int open(const char* path, int flags, mode_t mode);
    virtual ssize_t write(int fd, const void* data, std::size_t size);
    virtual int fchmod(int fd, mode_t mode);
    virtual int fsync(int fd);
    virtual int close(int fd);
    virtual int rename(const char* from, const char* to);
    virtual int unlink(const char* path);
};

/// Replaces the file with the contents so that it is never half-written or missing: the contents go
/// to a temporary file in the same folder, are flushed to the disk and renamed over the target. An
/// existing target keeps its permission bits where the file system has them; a symbolic link is
/// written through to its target. On
/// failure the old file is intact, the temporary file is gone and the error says which file and why.
[[nodiscard]] std::optional<FileError> WriteFileAtomically(const std::string& path, std::string_view contents);
[[nodiscard]] std::optional<FileError> WriteFileAtomically(const std::string& path, std::string_view contents,
                                                           FileIo& io);

} // namespace talvex::platform
