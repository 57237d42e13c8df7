// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "core/services/LogSink.h"
#include "core/services/Paths.h"
#include "core/services/UserInterface.h"
#include "platform/Volumes.h"

namespace talvex {

/// Checks that the volume holding `path` has room for `requiredKiB` (units of 1024 bytes) before an
/// image is written: logs the free and total space, and when the room is short warns and asks the
/// user whether to abort. Returns true when the step must stop: the user chose to abort, or the
/// space could not be found out (the reason is logged in red).
[[nodiscard]] bool CheckFreeSpace(const std::string& path, std::uint64_t requiredKiB, LogSink& log, UserInterface& ui,
                                  const platform::VolumeProbes& volumes, const std::string& thousandsSeparator,
                                  PathStyle style = kNativePathStyle);

} // namespace talvex
