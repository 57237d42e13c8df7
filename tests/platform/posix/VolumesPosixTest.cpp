// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include "fakes/TempFolder.h"
#include "platform/Volumes.h"
#include <sched.h>

namespace talvex::platform {
namespace {

namespace fs = std::filesystem;
using fakes::TempFolder;

const char* const kMountInfo = "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
                               "30 22 0:26 / /home rw,relatime shared:2 - btrfs /dev/sda2 rw,subvol=/home\n"
                               "31 30 0:27 / /home/u/USB\\040Stick rw master:3 - vfat /dev/sdb1 rw\n"
                               "32 22 0:28 / /mnt/data rw - xfs /dev/sdc1 rw\n"
                               "33 22 0:29 / /mnt/data rw - ntfs3 /dev/sdd1 rw\n"
                               "broken line\n"
                               "34 22 0:30 / /mnt/odd rw\n";

TEST(FileSystemName, LongestMountPointHoldingThePathWins) {
    struct Case {
        const char* path;
        const char* type;
    };
    const Case cases[] = {
        {"/", "ext4"},
        {"/etc/x", "ext4"},
        {"/home", "btrfs"},
        {"/home/u/docs", "btrfs"},
        {"/home/u/USB Stick/a", "vfat"}, // "\040" is a blank
        {"/home/u/USB Sticks", "btrfs"}, // a prefix of the name is not the mount point
        {"/mnt/data/x", "ntfs3"},        // the later mount hides the earlier one
        {"/mnt/odd", "ext4"},            // an incomplete line is skipped
        {"relative", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileSystemNameFromMountInfo(kMountInfo, c.path), c.type) << c.path;
    }
    EXPECT_EQ(FileSystemNameFromMountInfo("", "/"), "");
}

TEST(FileSystemName, KnowsTheMountsOfThisSystem) {
    EXPECT_EQ(FileSystemName("/proc/self"), "proc");
    EXPECT_EQ(FileSystemName(R"(\\server\share)"), "");
}

TEST(CanWriteInFolder, RefusesAFileSystemNobodyMayCreateFilesIn) {
    EXPECT_FALSE(CanWriteInFolder("/proc")); // root included
}

// Permission bits do not stop root, so the folder is made read-only the way a write-protected medium
// is: a read-only bind mount, in a private mount namespace of a child process.
TEST(CanWriteInFolder, AReadOnlyMountIsNotWritableAndStaysEmpty) {
    TempFolder folder;
    const std::string path = folder.path().string();
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::unshare(CLONE_NEWNS) != 0 && ::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) {
            ::_exit(77);
        }
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount(path.c_str(), path.c_str(), nullptr, MS_BIND, nullptr) != 0 ||
            ::mount(nullptr, path.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) != 0) {
            ::_exit(77);
        }
        ::_exit(CanWriteInFolder(path) ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77) {
        GTEST_SKIP() << "no mount namespace available for a read-only mount";
    }
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the probe claimed a read-only folder was writable";
    EXPECT_TRUE(fs::is_empty(folder.path()));
}

} // namespace
} // namespace talvex::platform
