// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Volumes.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "fakes/TempFolder.h"

namespace talvex::platform {
namespace {

namespace fs = std::filesystem;
using fakes::TempFolder;

TEST(FileSystemName, NamesTheVolumeOfAFolderAndOfOneNotYetMade) {
    TempFolder folder;
    EXPECT_FALSE(FileSystemName(folder.path().string()).empty());
    // A destination that does not exist yet is judged by the folder it will be created in.
    EXPECT_EQ(FileSystemName(folder.file("not/yet")), FileSystemName(folder.path().string()));
    EXPECT_EQ(FileSystemName("relative/folder"), "");
}

TEST(CanWriteInFolder, ProbesWithoutLeavingAnythingOrTouchingFiles) {
    TempFolder folder;
    const fs::path odd = folder.path() / "100% %s %d";
    fs::create_directory(odd);
    TempFolder::Write((odd / "keep.tmp").string(), "user data");
    EXPECT_TRUE(CanWriteInFolder(odd.string()));
    EXPECT_TRUE(CanWriteInFolder(odd.string() + "/"));
    EXPECT_EQ(std::distance(fs::directory_iterator(odd), fs::directory_iterator()), 1);
    EXPECT_EQ(TempFolder::Read((odd / "keep.tmp").string()), "user data");

    EXPECT_FALSE(CanWriteInFolder(folder.file("missing")));
    EXPECT_FALSE(CanWriteInFolder(""));
}

TEST(QueryVolumeSpace, ReportsSizeOrTheReason) {
    TempFolder folder;
    const VolumeSpaceResult here = QueryVolumeSpace(folder.path().string());
    ASSERT_TRUE(here.space.has_value()) << here.error;
    EXPECT_GT(here.space->totalBytes, 0u);
    EXPECT_LE(here.space->freeBytes, here.space->totalBytes);
    const VolumeSpaceResult missing = QueryVolumeSpace(folder.file("missing"));
    EXPECT_FALSE(missing.space.has_value());
    EXPECT_FALSE(missing.error.empty());
}

} // namespace
} // namespace talvex::platform
