// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/DataCopy.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <limits>
#include <memory>
#include <thread>

#include <unistd.h>

namespace robocopy {

namespace {

constexpr std::size_t kChunk = std::size_t{8} * 1024 * 1024;
constexpr std::size_t kBuffer = std::size_t{1024} * 1024;
constexpr std::size_t kGapBlock = std::size_t{64} * 1024;
constexpr std::uint64_t kToTheEnd = std::numeric_limits<std::uint64_t>::max();

// File systems and kernels that cannot copy in-kernel; the data goes through a buffer there.
bool NeedsBuffer(int error) {
    return error == EXDEV || error == ENOSYS || error == EINVAL || error == EOPNOTSUPP || error == EBADF ||
           error == EPERM;
}

int WriteAll(int out, const char* data, std::size_t size, off_t offset) {
    while (size > 0) {
        const ssize_t n = ::pwrite(out, data, size, offset);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
        offset += n;
    }
    return 0;
}

// Copies length bytes (or up to the end) at offset into the same place of out.
int CopyRange(int in, int out, off_t offset, std::uint64_t length, const ProgressFunction& progress, int gap) {
    // Smaller steps when someone watches the percentages, and blocks of their own between gaps.
    const std::size_t chunk = gap > 0 ? kGapBlock : progress ? kBuffer : kChunk;
    // Not zeroed: a small file would pay for clearing all of it.
    std::unique_ptr<std::array<char, kBuffer>> buffer;
    while (length > 0) {
        const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(length, chunk));
        ssize_t n = 0;
        if (!buffer) {
            off_t inOffset = offset;
            off_t outOffset = offset;
            n = ::copy_file_range(in, &inOffset, out, &outOffset, want, 0);
            if (n < 0 && NeedsBuffer(errno)) {
                buffer = std::make_unique_for_overwrite<std::array<char, kBuffer>>();
                continue;
            }
        } else {
            n = ::pread(in, buffer->data(), std::min(want, kBuffer), offset);
            if (n > 0) {
                if (const int error = WriteAll(out, buffer->data(), static_cast<std::size_t>(n), offset); error != 0) {
                    return error;
                }
            }
        }
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (n == 0) {
            return 0;
        }
        offset += n;
        length -= static_cast<std::uint64_t>(n);
        if (progress) {
            progress(static_cast<std::uint64_t>(offset));
        }
        if (gap > 0 && length > 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(gap));
        }
    }
    return 0;
}

// Copies the data runs only; the file gets its full length at the end, the rest stays holes.
int CopySparse(int in, int out, off_t size, const ProgressFunction& progress, int gap) {
    for (off_t data = 0; data < size;) {
        data = ::lseek(in, data, SEEK_DATA);
        if (data < 0) {
            if (errno == ENXIO) {
                break; // only a hole is left
            }
            return errno;
        }
        const off_t hole = ::lseek(in, data, SEEK_HOLE);
        if (hole < 0) {
            return errno;
        }
        if (const int error = CopyRange(in, out, data, static_cast<std::uint64_t>(hole - data), progress, gap);
            error != 0) {
            return error;
        }
        data = hole;
    }
    return ::ftruncate(out, size) == 0 ? 0 : errno;
}

} // namespace

int CopyData(int in, int out, const struct stat& status, const ProgressFunction& progress, int gapMilliseconds,
             off_t from) {
    if (progress) {
        progress(static_cast<std::uint64_t>(from));
    }
    if (from > 0) {
        return CopyRange(in, out, from, kToTheEnd, progress, gapMilliseconds);
    }
    // Fewer blocks than bytes means holes; a dense file never pays for looking for them.
    if (status.st_blocks * 512 < status.st_size && ::lseek(in, 0, SEEK_HOLE) < status.st_size) {
        const int error = CopySparse(in, out, status.st_size, progress, gapMilliseconds);
        if (error != EINVAL) {
            return error;
        }
        if (::ftruncate(out, 0) != 0) { // a file system without hole search: copy it whole
            return errno;
        }
    }
    // Up to the size it had when opened, which saves asking for more at the end of every small file; a
    // file that claims no size (as those of /proc do) is read to its end.
    const std::uint64_t length = status.st_size > 0 ? static_cast<std::uint64_t>(status.st_size) : kToTheEnd;
    return CopyRange(in, out, 0, length, progress, gapMilliseconds);
}

} // namespace robocopy
