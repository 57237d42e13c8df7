// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cerrno>
#include <set>
#include <string>
#include <string_view>

#include "platform/Files.h"

namespace talvex::fakes {

/// A disk that is full: writing fails with ENOSPC. With `only` set, only files whose (temporary)
/// name contains it fail, so one file of a save can fail while the others are written.
class FullDisk final : public platform::FileIo {
public:
    std::string only;

    int open(const char* path, int flags, mode_t mode) override {
        const int fd = FileIo::open(path, flags, mode);
        if (only.empty() || std::string_view(path).find(only) != std::string_view::npos) {
            m_failing.insert(fd);
        } else {
            m_failing.erase(fd);
        }
        return fd;
    }
    ssize_t write(int fd, const void* data, std::size_t size) override {
        if (m_failing.contains(fd)) {
            errno = ENOSPC;
            return -1;
        }
        return FileIo::write(fd, data, size);
    }

private:
    std::set<int> m_failing;
};

} // namespace talvex::fakes
