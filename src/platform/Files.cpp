// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Files.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <string_view>
#include <thread>

#include "platform/FileCalls.h"
#include "platform/PathText.h"

namespace talvex::platform {

namespace {

namespace fs = std::filesystem;

constexpr int kDeleteAttempts = 10;
constexpr std::chrono::milliseconds kDeletePause{200};

FileError ErrorFor(const std::string& path, int errorNumber) {
    return {path, errorNumber, std::strerror(errorNumber)};
}

// A symbolic link is replaced by writing its target, so the link the user made survives.
std::string ResolveTarget(const std::string& path) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(PathFromUtf8(path), ec))) {
        return path;
    }
    const fs::path resolved = fs::weakly_canonical(PathFromUtf8(path), ec);
    return ec ? path : Utf8FromPath(resolved);
}

std::string TemporaryNameFor(const fs::path& target, std::mt19937& random) {
    static constexpr std::string_view kDigits = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::uniform_int_distribution<std::size_t> pick(0, kDigits.size() - 1);
    std::string suffix;
    for (int i = 0; i < 8; ++i) {
        suffix += kDigits[pick(random)];
    }
    // Hidden and marked, so an interrupted write is recognisable and no file reader picks it up.
    return Utf8FromPath(target.parent_path() /
                        PathFromUtf8("." + Utf8FromPath(target.filename()) + "." + suffix + ".tmp"));
}

} // namespace

bool EnsureFileDeleted(const std::string& path, const Wait& wait) {
    for (int attempt = 1;; ++attempt) {
        std::error_code ec;
        const fs::file_status status = fs::symlink_status(PathFromUtf8(path), ec);
        if (!fs::exists(status)) {
            return true;
        }
        if (!fs::is_directory(status) && FileIo().unlink(path.c_str()) == 0) {
            return true;
        }
        if (attempt == kDeleteAttempts) {
            return false;
        }
        if (wait) {
            wait(kDeletePause);
        } else {
            std::this_thread::sleep_for(kDeletePause);
        }
    }
}

std::string FileError::describe() const {
    return path + ": " + reason;
}

std::optional<FileError> WriteFileAtomically(const std::string& path, std::string_view contents) {
    FileIo io;
    return WriteFileAtomically(path, contents, io);
}

std::optional<FileError> WriteFileAtomically(const std::string& path, std::string_view contents, FileIo& io) {
    const std::string target = ResolveTarget(path);

    std::error_code statusError;
    const fs::file_status existing = fs::status(PathFromUtf8(target), statusError);
    const bool targetExists = fs::exists(existing);
    if (fs::is_directory(existing)) {
        return ErrorFor(path, EISDIR);
    }

    std::mt19937 random(std::random_device{}());
    std::string temporary;
    int fd = -1;
    for (int tries = 0; tries < 100 && fd < 0; ++tries) {
        temporary = TemporaryNameFor(PathFromUtf8(target), random);
        // 0666 lets the umask decide the bits of a new file, as for any other file the user creates.
        fd = io.open(temporary.c_str(), kCreateNewFileFlags, 0666);
        if (fd < 0 && errno != EEXIST) {
            return ErrorFor(path, errno);
        }
    }
    if (fd < 0) {
        return ErrorFor(path, EEXIST);
    }

    const auto fail = [&](int errorNumber) {
        if (fd >= 0) {
            io.close(fd);
        }
        io.unlink(temporary.c_str());
        return ErrorFor(path, errorNumber);
    };

    if (targetExists) {
        // Best effort: file systems without permission bits (FAT on a USB stick) refuse the call, and
        // a job must still be saveable there.
        (void)io.fchmod(fd, static_cast<mode_t>(existing.permissions() & fs::perms::mask));
    }
    while (!contents.empty()) {
        const ssize_t written = io.write(fd, contents.data(), contents.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return fail(errno);
        }
        if (written == 0) {
            return fail(ENOSPC);
        }
        contents.remove_prefix(static_cast<std::size_t>(written));
    }
    // Some file systems (FUSE, network shares) cannot flush a file; the rename is still atomic there.
    if (io.fsync(fd) != 0 && errno != EINVAL && errno != ENOTSUP) {
        return fail(errno);
    }
    const int closeResult = io.close(fd);
    fd = -1;
    if (closeResult != 0) {
        return fail(errno);
    }
    if (io.rename(temporary.c_str(), target.c_str()) != 0) {
        return fail(errno);
    }
    SyncFolder(Utf8FromPath(PathFromUtf8(target).parent_path()));
    return std::nullopt;
}

} // namespace talvex::platform
