// SPDX-License-Identifier: GPL-3.0-or-later
// The atomic writer's promises that need POSIX: permission bits and symbolic links.
#include <filesystem>
#include <vector>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "fakes/TempFolder.h"
#include "platform/Files.h"

namespace talvex::platform {
namespace {

namespace fs = std::filesystem;
using fakes::TempFolder;

TEST(WriteFileAtomically, ReplacesTheFileAndKeepsItsPermissions) {
    TempFolder folder;
    const std::string target = folder.file("Talvex.ini");
    TempFolder::Write(target, "old contents that are longer");
    ::chmod(target.c_str(), 0640);

    ASSERT_EQ(WriteFileAtomically(target, "new"), std::nullopt);
    EXPECT_EQ(TempFolder::Read(target), "new");
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"Talvex.ini"});

    ASSERT_EQ(WriteFileAtomically(folder.file("fresh.rcj"), ""), std::nullopt);
    EXPECT_TRUE(fs::exists(folder.file("fresh.rcj")));
}

TEST(WriteFileAtomically, WritesThroughASymbolicLink) {
    TempFolder folder;
    TempFolder::Write(folder.file("real.ini"), "old");
    fs::create_symlink("real.ini", folder.file("link.ini"));
    ASSERT_EQ(WriteFileAtomically(folder.file("link.ini"), "new"), std::nullopt);
    EXPECT_TRUE(fs::is_symlink(folder.file("link.ini")));
    EXPECT_EQ(TempFolder::Read(folder.file("real.ini")), "new");
}

} // namespace
} // namespace talvex::platform
