// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace talvex::platform {

/// True when a file system of this name keeps owners, security descriptors and auditing
/// information: "NTFS" on Windows; on POSIX the file systems with owners and ACLs.
/// The name is the label shown under "Eigenschaften" (the file-system type of the mount).
[[nodiscard]] bool FileSystemKeepsSecurity(std::string_view fileSystemName);

} // namespace talvex::platform
