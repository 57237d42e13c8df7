// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>

#include <sys/stat.h>

namespace robocopy {

using ProgressFunction = std::function<void(std::uint64_t done)>;

// Copies the data of the open file in (status as read from it) into the empty file out, in-kernel
// where the file systems allow it. The holes of a sparse file stay holes. With a gap (/IPG), the data
// goes in blocks of 64 KiB with that many milliseconds between them, to spare a slow line. Returns 0
// or an errno value.
// From an offset on, the rest is copied as it is, holes written out: a restartable copy resumes there.
[[nodiscard]] int CopyData(int in, int out, const struct stat& status, const ProgressFunction& progress,
                           int gapMilliseconds = 0, off_t from = 0);

} // namespace robocopy
