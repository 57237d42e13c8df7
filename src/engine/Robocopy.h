// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace robocopy {

// Runs robocopy with the given arguments (without the program name), writing its report to consoleFd.
// Returns robocopy's exit code: bits 1 copied, 2 extras, 4 mismatches, 8 failures; 16 for a fatal error.
[[nodiscard]] int RunRobocopy(const std::vector<std::string>& arguments, int consoleFd);

} // namespace robocopy
