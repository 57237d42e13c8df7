// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ctime>

#include <sys/stat.h>
#include <sys/types.h>

namespace robocopy {

// What the walk keeps of an entry's status: the fields it looks at, in half the size of a stat, so
// that a wide folder costs less memory. The names are those of a stat, which converts into it.
struct Status {
    Status() = default;
    // NOLINTNEXTLINE(google-explicit-constructor): a stat narrows to this wherever one is given
    Status(const struct stat& s)
        : st_dev(s.st_dev), st_ino(s.st_ino), st_size(s.st_size), st_mtim(s.st_mtim), st_atim(s.st_atim),
          st_mode(s.st_mode), st_uid(s.st_uid), st_gid(s.st_gid) {}

    dev_t st_dev = 0;
    ino_t st_ino = 0;
    off_t st_size = 0;
    struct timespec st_mtim {};
    struct timespec st_atim {};
    mode_t st_mode = 0;
    uid_t st_uid = 0;
    gid_t st_gid = 0;
};

} // namespace robocopy
