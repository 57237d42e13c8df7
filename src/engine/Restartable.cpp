// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Restartable.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace robocopy {

namespace {

constexpr std::string_view kPrefix = ".~talvex.z";
constexpr std::string_view kSuffix = ".tmp";
constexpr const char* kState = "user.talvex.restart";
// The data before the resume point that is compared with the source: a partial file whose end was
// written by something else starts over.
constexpr off_t kCheckedTail = off_t{64} * 1024;

std::string StateOf(const struct stat& status) {
    std::array<char, 96> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%lld %lld %ld %llu", static_cast<long long>(status.st_size),
                  static_cast<long long>(status.st_mtim.tv_sec), static_cast<long>(status.st_mtim.tv_nsec),
                  static_cast<unsigned long long>(status.st_ino));
    return buffer.data();
}

bool SameBytes(int a, int b, off_t offset, off_t length) {
    std::array<char, 8192> left{};
    std::array<char, 8192> right{};
    while (length > 0) {
        const auto want = static_cast<std::size_t>(std::min<off_t>(length, left.size()));
        if (::pread(a, left.data(), want, offset) != static_cast<ssize_t>(want) ||
            ::pread(b, right.data(), want, offset) != static_cast<ssize_t>(want) ||
            std::memcmp(left.data(), right.data(), want) != 0) {
            return false;
        }
        offset += static_cast<off_t>(want);
        length -= static_cast<off_t>(want);
    }
    return true;
}

// Where the partial data of out continues, or 0 when it does not belong to this state of the source.
off_t ResumePoint(int in, int out, const struct stat& source, const std::string& state) {
    struct stat partial {};
    std::array<char, 96> stored{};
    const ssize_t size = ::fgetxattr(out, kState, stored.data(), stored.size() - 1);
    if (::fstat(out, &partial) != 0 || size <= 0 ||
        std::string(stored.data(), static_cast<std::size_t>(size)) != state || partial.st_size > source.st_size) {
        return 0;
    }
    const off_t from = partial.st_size - partial.st_size % kCheckedTail;
    const off_t checked = std::min(from, kCheckedTail);
    return from > 0 && SameBytes(in, out, from - checked, checked) ? from : 0;
}

} // namespace

std::string PartialName(std::string_view name) {
    std::uint64_t hash = 1469598103934665603ULL; // FNV-1a: a short, fixed name for any length of name
    for (const char c : name) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    }
    std::array<char, 64> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.*s%016llx%.*s", static_cast<int>(kPrefix.size()), kPrefix.data(),
                  static_cast<unsigned long long>(hash), static_cast<int>(kSuffix.size()), kSuffix.data());
    return buffer.data();
}

bool IsPartial(std::string_view name) {
    return name.size() == kPrefix.size() + 16 + kSuffix.size() && name.starts_with(kPrefix) && name.ends_with(kSuffix);
}

int OpenPartial(int dirFd, const std::string& partial, int in, const struct stat& status, off_t& from) {
    const int out = ::openat(dirFd, partial.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    struct stat own {};
    if (out < 0) {
        return -1;
    }
    // Only a plain file of ours is continued; anything else under the name is no partial copy.
    if (::fstat(out, &own) != 0 || !S_ISREG(own.st_mode) || own.st_nlink != 1 || own.st_uid != ::geteuid()) {
        ::close(out);
        errno = EEXIST;
        return -1;
    }
    const std::string state = StateOf(status);
    from = ResumePoint(in, out, status, state);
    if (::ftruncate(out, from) != 0) {
        const int error = errno;
        ::close(out);
        errno = error;
        return -1;
    }
    if (from == 0) {
        (void)::fsetxattr(out, kState, state.data(), state.size(), 0); // without it, the next run starts over
    }
    return out;
}

void FinishPartial(int fd) {
    (void)::fremovexattr(fd, kState);
}

} // namespace robocopy
