// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileSystems.h"

#include <gtest/gtest.h>

namespace talvex::platform {
namespace {

TEST(FileSystemKeepsSecurity, OwnerKeepingFileSystemsOnlyAnyCase) {
    struct Case {
        const char* name;
        bool keeps;
    };
    const Case cases[] = {
        {"NTFS", true},
        {"vfat", false},
        {"FAT32", false},
        {"exfat", false},
        {"iso9660", false},
        {"ntfs ", false},
        {"", false},
#ifdef _WIN32
        // Windows names the file system exactly as the volume reports it.
        {"ntfs3", false},
        {"ext4", false},
#else
        {"ntfs3", true},  {"ext4", true},  {"btrfs", true},  {"XFS", true},    {"tmpfs", true},
#endif
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileSystemKeepsSecurity(c.name), c.keeps) << c.name;
    }
}

} // namespace
} // namespace talvex::platform
