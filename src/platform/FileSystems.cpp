// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileSystems.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace talvex::platform {

bool FileSystemKeepsSecurity(std::string_view fileSystemName) {
#ifdef _WIN32
    return fileSystemName == "NTFS";
#else
    // Mount types as /proc/self/mountinfo spells them; "NTFS" also counts, for labels of Windows paths.
    static constexpr std::array<std::string_view, 14> kKeeping = {"ntfs",     "ntfs3", "ext2",     "ext3",  "ext4",
                                                                  "xfs",      "btrfs", "zfs",      "f2fs",  "jfs",
                                                                  "reiserfs", "tmpfs", "bcachefs", "nilfs2"};
    std::string lower(fileSystemName);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return std::find(kKeeping.begin(), kKeeping.end(), lower) != kKeeping.end();
#endif
}

} // namespace talvex::platform
