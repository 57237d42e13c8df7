// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Volumes.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <vector>

#include <fcntl.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace talvex::platform {

namespace {

namespace fs = std::filesystem;

// mountinfo writes blanks, tabs, newlines and backslashes in paths as "\ooo".
std::string Unescape(std::string_view field) {
    std::string out;
    out.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && field[i + 1] >= '0' && field[i + 1] <= '3' &&
            field[i + 2] >= '0' && field[i + 2] <= '7' && field[i + 3] >= '0' && field[i + 3] <= '7') {
            out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

std::vector<std::string_view> SplitBlanks(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (start < line.size()) {
        const std::size_t end = std::min(line.find(' ', start), line.size());
        if (end > start) {
            fields.push_back(line.substr(start, end - start));
        }
        start = end + 1;
    }
    return fields;
}

bool Holds(std::string_view mountPoint, std::string_view path) {
    if (mountPoint == "/") {
        return !path.empty() && path.front() == '/';
    }
    return path.substr(0, mountPoint.size()) == mountPoint &&
           (path.size() == mountPoint.size() || path[mountPoint.size()] == '/');
}

} // namespace

std::string FileSystemNameFromMountInfo(std::string_view mountInfo, std::string_view resolvedPath) {
    std::string best;
    std::size_t bestLength = 0;
    bool found = false;
    while (!mountInfo.empty()) {
        const std::size_t end = std::min(mountInfo.find('\n'), mountInfo.size());
        const std::vector<std::string_view> fields = SplitBlanks(mountInfo.substr(0, end));
        mountInfo.remove_prefix(std::min(end + 1, mountInfo.size()));

        // id parent major:minor root mount-point options [optional fields...] - type source super-options
        if (fields.size() < 7) {
            continue;
        }
        std::size_t dash = 6;
        while (dash < fields.size() && fields[dash] != "-") {
            ++dash;
        }
        if (dash + 1 >= fields.size()) {
            continue;
        }
        const std::string mountPoint = Unescape(fields[4]);
        // ">=": a later mount on the same point hides the earlier one.
        if (Holds(mountPoint, resolvedPath) && (!found || mountPoint.size() >= bestLength)) {
            best = Unescape(fields[dash + 1]);
            bestLength = mountPoint.size();
            found = true;
        }
    }
    return best;
}

std::string FileSystemName(const std::string& path) {
    // Only an absolute path names a volume; a relative one (or a Windows share) would silently
    // report the volume of the current folder.
    if (path.empty() || path.front() != '/') {
        return {};
    }
    std::error_code ec;
    // The folder may not exist yet (a destination to be created): the nearest existing part decides.
    const fs::path resolved = fs::weakly_canonical(path, ec);
    if (ec) {
        return {};
    }
    std::ifstream in("/proc/self/mountinfo");
    if (!in) {
        return {};
    }
    std::ostringstream text;
    text << in.rdbuf();
    return FileSystemNameFromMountInfo(text.str(), resolved.string());
}

bool CanWriteInFolder(const std::string& folder) {
    if (folder.empty()) {
        return false;
    }
    std::random_device seed;
    std::uniform_int_distribution<long> draw(0, 2147483646);
    std::mt19937 random(seed());
    std::string base = folder;
    if (base.back() != '/') {
        base += '/';
    }
    // The name is put together piece by piece, so a "%" in the folder is just a character. O_EXCL
    // makes sure that a user's file which happens to carry the drawn name is never overwritten.
    for (int attempt = 0; attempt < 16; ++attempt) {
        const std::string probe = base + std::to_string(draw(random)) + ".tmp";
        const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::close(fd);
            ::unlink(probe.c_str());
            return true;
        }
        if (errno != EEXIST) {
            return false;
        }
    }
    return false;
}

VolumeSpaceResult QueryVolumeSpace(const std::string& path) {
    struct statvfs info {};
    if (::statvfs(path.c_str(), &info) != 0) {
        return {std::nullopt, std::strerror(errno)};
    }
    const std::uint64_t unit = info.f_frsize != 0 ? info.f_frsize : info.f_bsize;
    // f_bfree, not f_bavail: the free room of the whole volume, as the check expects.
    return {
        VolumeSpace{static_cast<std::uint64_t>(info.f_blocks) * unit, static_cast<std::uint64_t>(info.f_bfree) * unit},
        {}};
}

} // namespace talvex::platform
