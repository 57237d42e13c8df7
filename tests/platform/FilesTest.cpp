// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Files.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include <gtest/gtest.h>

#include "fakes/TempFolder.h"
#include "platform/PathText.h"

namespace talvex::platform {
namespace {

namespace fs = std::filesystem;
using fakes::TempFolder;

TEST(EnsureFileDeleted, RemovesTheFileOrReportsItStaysAfterTenAttempts) {
    TempFolder folder;
    std::vector<std::chrono::milliseconds> waits;
    const Wait record = [&](std::chrono::milliseconds ms) { waits.push_back(ms); };

    EXPECT_TRUE(EnsureFileDeleted(folder.file("missing.rcj"), record));
    TempFolder::Write(folder.file("~tmp.rcj"), "x");
    EXPECT_TRUE(EnsureFileDeleted(folder.file("~tmp.rcj"), record));
    EXPECT_FALSE(fs::exists(folder.file("~tmp.rcj")));
    EXPECT_TRUE(waits.empty());

    fs::create_directory(folder.file("busy.rcj"));
    EXPECT_FALSE(EnsureFileDeleted(folder.file("busy.rcj"), record));
    EXPECT_TRUE(fs::is_directory(folder.file("busy.rcj"))); // a folder is never removed
    EXPECT_EQ(waits, std::vector<std::chrono::milliseconds>(9, std::chrono::milliseconds(200)));
}

TEST(EnsureFileDeleted, SucceedsWhenTheObstacleGoesAwayWhileWaiting) {
    TempFolder folder;
    fs::create_directory(folder.file("held"));
    int waits = 0;
    EXPECT_TRUE(EnsureFileDeleted(folder.file("held"), [&](std::chrono::milliseconds) {
        if (++waits == 3) {
            fs::remove(folder.file("held"));
        }
    }));
    EXPECT_EQ(waits, 3);
}

// Fails a chosen system call, the way a full disk or a broken medium would.
class FaultyIo final : public FileIo {
public:
    std::size_t failWriteAfter = SIZE_MAX;
    bool failFsync = false;
    bool failRename = false;
    bool refuseChmod = false;

    int fchmod(int fd, mode_t mode) override {
        if (refuseChmod) {
            errno = EPERM;
            return -1;
        }
        return FileIo::fchmod(fd, mode);
    }

    ssize_t write(int fd, const void* data, std::size_t size) override {
        if (m_written >= failWriteAfter) {
            errno = ENOSPC;
            return -1;
        }
        const std::size_t chunk = std::min(size, failWriteAfter - m_written);
        const ssize_t n = FileIo::write(fd, data, chunk);
        m_written += n > 0 ? static_cast<std::size_t>(n) : 0;
        return n;
    }
    int fsync(int fd) override {
        if (failFsync) {
            errno = EIO;
            return -1;
        }
        return FileIo::fsync(fd);
    }
    int rename(const char* from, const char* to) override {
        if (failRename) {
            errno = EXDEV;
            return -1;
        }
        return FileIo::rename(from, to);
    }

private:
    std::size_t m_written = 0;
};

TEST(WriteFileAtomically, SavesWhereTheFileSystemHasNoPermissionBits) {
    TempFolder folder;
    TempFolder::Write(folder.file("job.rcj"), "old");
    FaultyIo io;
    io.refuseChmod = true;
    EXPECT_EQ(WriteFileAtomically(folder.file("job.rcj"), "new", io), std::nullopt);
    EXPECT_EQ(TempFolder::Read(folder.file("job.rcj")), "new");
}

// The temporary file and the rename must reach the folder the UTF-8 name names; on Windows a
// narrow path is read in the ANSI code page and names another one.
TEST(WriteFileAtomically, WritesIntoAFolderWhoseNameIsNotAscii) {
    TempFolder temp;
    const std::string folder = Utf8FromPath(temp.path() / PathFromUtf8("Müll Ωmega"));
    fs::create_directory(PathFromUtf8(folder));
    const std::string target = folder + "/Jöb.rcj";
    ASSERT_EQ(WriteFileAtomically(target, "old"), std::nullopt);
    ASSERT_EQ(WriteFileAtomically(target, "new"), std::nullopt);
    {
        // Closed before the delete: Windows does not delete a file that is open.
        std::ifstream in(PathFromUtf8(target), std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "new");
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(PathFromUtf8(folder)), fs::directory_iterator()), 1);
    EXPECT_TRUE(EnsureFileDeleted(target));
    EXPECT_FALSE(fs::exists(PathFromUtf8(target)));
}

TEST(WriteFileAtomically, AnInterruptedWriteLeavesTheOldFileAndNoTemporary) {
    struct Case {
        const char* what;
        std::size_t failWriteAfter;
        bool failFsync;
        bool failRename;
        int expectedError;
    };
    const Case cases[] = {
        {"disk full at once", 0, false, false, ENOSPC},
        {"disk full after 5 bytes", 5, false, false, ENOSPC},
        {"flush fails", SIZE_MAX, true, false, EIO},
        {"rename fails", SIZE_MAX, false, true, EXDEV},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        const std::string target = folder.file("job.rcj");
        TempFolder::Write(target, "old job");
        FaultyIo io;
        io.failWriteAfter = c.failWriteAfter;
        io.failFsync = c.failFsync;
        io.failRename = c.failRename;

        const auto error = WriteFileAtomically(target, std::string(1000, 'n'), io);
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->errorNumber, c.expectedError);
        EXPECT_EQ(error->describe(), target + ": " + std::strerror(c.expectedError));
        EXPECT_EQ(TempFolder::Read(target), "old job");
        EXPECT_EQ(folder.names(), std::vector<std::string>{"job.rcj"});
    }
}

} // namespace
} // namespace talvex::platform
