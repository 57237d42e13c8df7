// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>
#include <vector>

#include <unistd.h>

#include "engine/FileOps.h"
#include "engine/Robocopy.h"

int main(int argc, char** argv) {
    robocopy::removeTemporaryOnInterrupt();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return robocopy::runRobocopy(arguments, STDOUT_FILENO);
}
