// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

#include "engine/FileOps.h"
#include "engine/Robocopy.h"

int main(int argc, char** argv) {
    // Every folder level being walked holds a descriptor for each side, so deep trees need more than
    // the customary soft limit of 1024.
    struct rlimit limit {};
    if (::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        (void)::setrlimit(RLIMIT_NOFILE, &limit);
    }
    robocopy::RemoveTemporaryOnInterrupt();
    std::vector<std::string> arguments(argv + 1, argv + argc);
    // The forms POSIX tools answer (and the manual page is made from): the version, and the usage
    // text that "/?" shows.
    if (arguments.size() == 1 && arguments[0] == "--version") {
        std::puts("robocopy (Talvex) " TALVEX_VERSION_TEXT);
        return 0;
    }
    if (arguments.size() == 1 && arguments[0] == "--help") {
        arguments[0] = "/?";
    }
    return robocopy::RunRobocopy(arguments, STDOUT_FILENO);
}
