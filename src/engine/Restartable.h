// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include <sys/stat.h>

#include "engine/DataCopy.h"

// Restartable copies (/Z): the data goes into a partial file named after the destination file, which
// an interruption leaves behind on purpose, with the state of the source it was copied from. The next
// run checks that the source is unchanged and that the partial data still matches, and resumes.
namespace robocopy {

// The partial file of a restartable copy of name.
[[nodiscard]] std::string PartialName(std::string_view name);
[[nodiscard]] bool IsPartial(std::string_view name);

// Opens or makes the partial file of name in dirFd and positions the copy of in (status as read from
// it): from returns where its data continues, 0 to start over. Returns the descriptor, or -1 with errno.
[[nodiscard]] int OpenPartial(int dirFd, const std::string& partial, int in, const struct stat& status, off_t& from);
// The copy is complete: the state goes, so that the file is an ordinary one once renamed.
void FinishPartial(int fd);

} // namespace robocopy
