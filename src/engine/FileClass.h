// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

#include <sys/stat.h>

#include "engine/Options.h"
#include "engine/Status.h"

namespace robocopy {

// robocopy's classes for a source file measured against the destination.
enum class FileClass {
    New,     // no file of that name in the destination ("lonely")
    Newer,   // source modified later
    Older,   // source modified earlier
    Changed, // same time, other size
    Same,    // same size and time
    Tweaked, // same size and time, other permission bits
};

// Sizes and times only; the types were matched before.
[[nodiscard]] FileClass Classify(const Status& source, const Status* destination, const Options& options);
// Whether the default choice and the /X.. and /I.. switches let this class be copied.
[[nodiscard]] bool IsSelected(FileClass fileClass, const Options& options);
[[nodiscard]] std::string_view ClassName(FileClass fileClass);
// Size filters /MAX and /MIN; returns the class name of a file they exclude, or an empty view.
[[nodiscard]] std::string_view SizeExclusion(std::uint64_t size, const Options& options);

} // namespace robocopy
