// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace talvex::burn {

/// Runs `program` (looked up on PATH) with `args`, copies everything it writes on standard output
/// and error to `out` as it comes, and returns its exit code; 128 + the signal that ended it, or
/// 127 when it could not be started (the reason goes to `out`).
[[nodiscard]] int RunAndCopyOutput(const std::string& program, const std::vector<std::string>& args, std::ostream& out);

} // namespace talvex::burn
