// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/services/Paths.h"
#include "platform/DirectoryEntries.h"

namespace talvex {

/// A converted path and the components that could not be converted. Those are kept as they stand
/// rather than dropped, so the path still names the same place as far as it can; the caller decides
/// whether to warn.
struct ConvertedPath {
    std::string path;
    std::vector<std::string> unconverted;

    [[nodiscard]] bool complete() const { return unconverted.empty(); }
};

/// The path in a form the system code page can hold: every component that the code page lacks
/// characters for is replaced by its short (8.3) name. The first component (drive, share or root)
/// is taken over unchanged. Input and output are UTF-8.
[[nodiscard]] ConvertedPath ToCodePagePath(std::string_view path, const platform::DirectoryEntryLookup& lookup,
                                           PathStyle style = kNativePathStyle);

/// The reverse: every component that looks like a short name (holds "~") and exists is replaced by
/// its long name.
[[nodiscard]] ConvertedPath ToLongPath(std::string_view path, const platform::DirectoryEntryLookup& lookup,
                                       PathStyle style = kNativePathStyle);

} // namespace talvex
