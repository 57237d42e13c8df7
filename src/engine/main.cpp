// SPDX-License-Identifier: GPL-3.0-or-later
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
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return robocopy::RunRobocopy(arguments, STDOUT_FILENO);
}
