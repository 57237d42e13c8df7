// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace robocopy {

// Backup mode (/B) on POSIX: the capabilities that let a process read and write files regardless of
// their permissions, CAP_DAC_READ_SEARCH and CAP_DAC_OVERRIDE, made effective for this thread and
// the threads it starts later. Returns 0, or EPERM when the process is not permitted them.
[[nodiscard]] int RaiseBackupCapabilities();

} // namespace robocopy
