// SPDX-License-Identifier: GPL-3.0-or-later
#include <atomic>
#include <chrono>
#include <sstream>
#include <thread>

#include "TreeFixture.h"

namespace {

using EngineSafety = TreeFixture;
using Tree = std::map<std::string, std::string>;

// A purge deletes links as links: what they point to outside the destination stays.
TEST_F(EngineSafety, MirrorDeletesExtrasButNothingOutsideTheDestination) {
    write("src/a", "a");
    write("outside/precious", "keep me");
    write("dst/extra/file", "x");
    std::filesystem::create_symlink(path("outside"), path("dst/extra/link-to-outside"));
    std::filesystem::create_symlink(path("outside"), path("dst/toplink"));
    std::filesystem::create_symlink(path("outside/precious"), path("dst/filelink"));

    const Run result = copy({"/MIR"});
    EXPECT_EQ(result.code, 3) << result.output;
    EXPECT_EQ(tree("dst"), (Tree{{"a", "a"}}));
    EXPECT_EQ(tree("outside"), (Tree{{"precious", "keep me"}}));
}

TEST_F(EngineSafety, LinkLoopInTheSourceEnds) {
    write("src/sub/file", "f");
    std::filesystem::create_symlink(path("src"), path("src/sub/loop"));
    const Run result = copy({"/E"});
    EXPECT_EQ(result.code, 1) << result.output;
    EXPECT_EQ(tree("dst"), (Tree{{"sub", "<dir>"}, {"sub/file", "f"}}));
    EXPECT_NE(result.output.find("LINK LOOP"), std::string::npos);
}

TEST_F(EngineSafety, DestinationInsideTheSourceIsNotCopiedIntoItself) {
    write("src/a", "a");
    write("src/sub/b", "b");
    const Run result = copy({"/MIR"}, "src", "src/backup");
    EXPECT_EQ(result.code, 1) << result.output;
    EXPECT_EQ(tree("src/backup"), (Tree{{"a", "a"}, {"sub", "<dir>"}, {"sub/b", "b"}}));
}

TEST_F(EngineSafety, SourceInsideTheDestinationIsNeverPurged) {
    write("dst/inner/src/data", "the only copy");
    write("dst/stale", "s");
    const Run result = copy({"/MIR"}, "dst/inner/src", "dst");
    EXPECT_EQ(read("dst/inner/src/data"), "the only copy") << result.output;
    EXPECT_FALSE(exists("dst/stale"));
    EXPECT_EQ(read("dst/data"), "the only copy");
}

// The source sits in the destination under the same name as one of its own subfolders.
TEST_F(EngineSafety, SourceIsNeverTakenForADestinationFolder) {
    write("dst/src/keep", "the only copy");
    write("dst/src/src/inner", "i");
    const Run result = copy({"/MIR"}, "dst/src", "dst");
    EXPECT_EQ(read("dst/src/keep"), "the only copy") << result.output;
    EXPECT_EQ(read("dst/src/src/inner"), "i");
    EXPECT_EQ(read("dst/keep"), "the only copy");
}

TEST_F(EngineSafety, UnreadableSourceFolderDoesNotPurgeItsDestination) {
    write("src/locked/file", "f");
    write("dst/locked/file", "f");
    write("dst/locked/extra", "keep");
    giveToNobody();
    ::chmod(path("src/locked").c_str(), 0);
    const Run result = copy({"/MIR", "/R:0", "/W:0"}, "src", "dst", true);
    ::chmod(path("src/locked").c_str(), 0755);
    EXPECT_EQ(result.code & 8, 8) << result.output;
    EXPECT_EQ(read("dst/locked/extra"), "keep");
}

TEST_F(EngineSafety, FolderIsNeverMovedOntoItself) {
    write("src/only-copy", "precious");
    std::filesystem::create_symlink(path("src"), path("alias"));
    const Run result = copy({"/MOV", "/IS"}, "src", "alias");
    EXPECT_EQ(result.code & 8, 8) << result.output;
    EXPECT_EQ(read("src/only-copy"), "precious");
}

TEST_F(EngineSafety, NoCopyWithPurgeOnlyDeletes) {
    write("src/a", "new", 2000000);
    write("dst/a", "old", 1000000);
    write("dst/extra", "x");
    const Run result = copy({"/NOCOPY", "/PURGE"});
    EXPECT_EQ(result.code, 2) << result.output;
    EXPECT_EQ(tree("dst"), (Tree{{"a", "old"}}));
}

// A folder that cannot be made (no rights, no inodes left) fails its files at once: waiting would not
// make it appear, and the summary counts them as failed, whether the folder was to be made with its
// first file (/S) or up front (/E).
TEST_F(EngineSafety, UncreatableFolderFailsItsFilesWithoutRetries) {
    for (const char* shape : {"/S", "/E"}) {
        std::filesystem::remove_all(m_root);
        write("src/sub/small", "s");
        write("src/sub/big", std::string(2 * 1024 * 1024, 'b'));
        std::filesystem::create_directories(path("dst"));
        giveToNobody();
        ::chmod(path("dst").c_str(), 0555);
        const Run result = copy({shape, "/R:3", "/W:1"}, "src", "dst", true);
        EXPECT_EQ(result.code, 8) << result.output;
        EXPECT_EQ(result.output.find("Waiting"), std::string::npos) << result.output;
        EXPECT_NE(result.output.find("   Files :         2         0         0         0         2         0\n"),
                  std::string::npos)
            << shape << result.output;
        EXPECT_TRUE(tree("dst").empty());
    }
}

TEST_F(EngineSafety, SystemVolumeInformationIsNeverPurged) {
    write("src/a", "a");
    write("dst/System Volume Information/tracking", "t");
    const Run result = copy({"/MIR"});
    EXPECT_EQ(result.code, 1) << result.output;
    EXPECT_TRUE(exists("dst/System Volume Information/tracking"));
}

// Read-only destination files are replaced and read-only extras purged, as robocopy does, so that a
// mirror of a tree holding read-only files converges; a read-only folder keeps its mode afterwards.
TEST_F(EngineSafety, ReadOnlyDestinationIsUpdatedAndPurged) {
    write("src/locked", "new", 2000000);
    write("src/ro/fresh", "f");
    write("dst/locked", "old", 1000000);
    write("dst/ro/extra", "x");
    write("dst/gone/deep/file", "y");
    giveToNobody();
    ::chmod(path("src/locked").c_str(), 0444);
    ::chmod(path("dst/locked").c_str(), 0444);
    for (const char* folder : {"src/ro", "dst/ro", "dst/gone/deep", "dst/gone"}) {
        ::chmod(path(folder).c_str(), 0555);
    }
    const Run result = copy({"/MIR", "/COPY:DT", "/R:0", "/W:0"}, "src", "dst", true);
    EXPECT_EQ(result.code, 3) << result.output;
    EXPECT_EQ(tree("dst"), (Tree{{"locked", "new"}, {"ro", "<dir>"}, {"ro/fresh", "f"}}));
    struct stat status {};
    ASSERT_EQ(::stat(path("dst/ro").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0555u) << "the folder's own mode is given back";
    ASSERT_EQ(::stat(path("dst/locked").c_str(), &status), 0);
    EXPECT_EQ(status.st_mtime, 2000000);
    EXPECT_EQ(copy({"/MIR", "/COPY:DT", "/R:0", "/W:0"}, "src", "dst", true).code, 0) << "converged";
}

// A source file that cannot be read is retried, fails after /R, and the run goes on with the others.
TEST_F(EngineSafety, UnreadableSourceFileFailsAfterRetries) {
    write("src/locked", "secret");
    write("src/other", "o");
    giveToNobody();
    ::chmod(path("src/locked").c_str(), 0);
    const Run result = copy({"/R:1", "/W:0"}, "src", "dst", true);
    EXPECT_EQ(result.code, 9) << result.output;
    EXPECT_EQ(tree("dst"), (Tree{{"other", "o"}}));
    EXPECT_NE(result.output.find("RETRY LIMIT EXCEEDED"), std::string::npos);
    EXPECT_NE(result.output.find("Waiting 0 seconds"), std::string::npos);
}

// Files deleted while the run lists and copies them: no crash, no half files, no temporary files left.
TEST_F(EngineSafety, VanishingSourceFilesLeaveNoTraces) {
    constexpr int kFiles = 3000;
    for (int i = 0; i < kFiles; ++i) {
        write("src/f" + std::to_string(i), std::string(2000, 'x'));
    }
    std::atomic<bool> started{false};
    std::thread remover([&] {
        started = true;
        for (int i = kFiles - 1; i >= 0; i -= 2) {
            ::unlink(path("src/f" + std::to_string(i)).c_str());
        }
    });
    while (!started) {
        std::this_thread::yield();
    }
    const Run result = copy({"/R:0", "/W:0", "/NP"});
    remover.join();
    EXPECT_TRUE(result.code == 1 || result.code == 9) << result.output;
    for (const auto& [name, content] : tree("dst")) {
        EXPECT_EQ(content, std::string(2000, 'x')) << name;
        EXPECT_EQ(name.find(".~talvex"), std::string::npos) << name;
    }
}

// A move deletes only inside the tree the user named: what a followed folder link reaches is copied and stays.
TEST_F(EngineSafety, MoveNeverDeletesBeyondAFolderLink) {
    write("outside/p", "keep");
    write("outside/deeper/q", "keep too");
    write("src/own", "o");
    std::filesystem::create_symlink("../outside", path("src/link"));
    for (const char* move : {"/MOV", "/MOVE"}) {
        std::filesystem::remove_all(path("dst"));
        const Run result = copy({"/E", move});
        EXPECT_EQ(result.code, 1) << result.output;
        EXPECT_EQ(tree("outside"), (Tree{{"p", "keep"}, {"deeper", "<dir>"}, {"deeper/q", "keep too"}})) << move;
        EXPECT_EQ(read("dst/link/deeper/q"), "keep too");
        EXPECT_NE(result.output.find("*LINK copied, not moved"), std::string::npos) << result.output;
        write("src/own", "o");
    }
}

// A purge that fails leaves the destination unlike the source: scripts must see a failure.
TEST_F(EngineSafety, FailedPurgeIsAFailure) {
    write("src/a", "a");
    write("dst/a", "a");
    write("dst/locked/extra", "x");
    write("dst/locked/sub/more", "y");
    giveToNobody();
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs a folder of another user";
    }
    ASSERT_EQ(::chown(path("dst/locked").c_str(), 0, 0), 0); // someone else's: the run cannot open it up
    const Run result = copy({"/MIR", "/R:0", "/W:0"}, "src", "dst", true);
    EXPECT_EQ(result.code & 8, 8) << result.output;
    std::istringstream dirs(result.output.substr(result.output.rfind("    Dirs :") + 10));
    std::uint64_t total = 0, copied = 0, skipped = 0, mismatch = 0, failed = 0;
    dirs >> total >> copied >> skipped >> mismatch >> failed;
    EXPECT_EQ(failed, 1u) << result.output;
    EXPECT_TRUE(exists("dst/locked/extra"));
}

// /MAXDEL counts every entry a purge would delete, the contents of a folder included, and stops before
// going beyond it.
TEST_F(EngineSafety, MaxDeletionsStopsBeforeTheLimitIsPassed) {
    const auto prepare = [this] {
        std::filesystem::remove_all(path("dst"));
        write("src/a", "a");
        write("dst/x1", "x");
        write("dst/x2", "x");
        for (int i = 0; i < 10; ++i) {
            write("dst/zfolder/f" + std::to_string(i), "x");
        }
    };
    prepare();
    const Run stopped = copy({"/MIR", "/MAXDEL:5"});
    EXPECT_EQ(stopped.code, 16) << stopped.output;
    EXPECT_NE(stopped.output.find("Stopped before deleting more than 5 entries"), std::string::npos) << stopped.output;
    EXPECT_EQ(tree("dst/zfolder").size(), 10u) << "the folder holds more than the limit allows: it stays whole";
    EXPECT_FALSE(exists("dst/x1"));

    prepare();
    const Run enough = copy({"/MIR", "/MAXDEL:13"});
    EXPECT_EQ(enough.code, 3) << enough.output;
    EXPECT_EQ(tree("dst"), (Tree{{"a", "a"}}));
}

// The log is written while the run goes on: it is neither moved nor purged.
TEST_F(EngineSafety, LogInsideTheSourceStaysWhereItIs) {
    write("src/a", "a");
    const Run result = copy({"/MOV", "/LOG:" + path("src/run.log")});
    EXPECT_EQ(result.code, 1) << result.output;
    EXPECT_NE(read("src/run.log").find("Total"), std::string::npos);
    EXPECT_EQ(tree("dst"), (Tree{{"a", "a"}}));
}

// /TBD waits for a source that is not there yet, as for a share not yet defined; without it, or once
// the retries are spent, the run ends as fatal.
TEST_F(EngineSafety, WaitForSharesRetriesAMissingRoot) {
    std::thread late([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(1200));
        write("src/a", "a");
    });
    const Run waited = copy({"/TBD", "/R:5", "/W:1"});
    late.join();
    EXPECT_EQ(waited.code, 1) << waited.output;
    EXPECT_NE(waited.output.find("Waiting 1 seconds"), std::string::npos);
    EXPECT_EQ(read("dst/a"), "a");
    EXPECT_EQ(copy({"/TBD", "/R:1", "/W:0"}, "missing").code, 16);
}

// /B reads what the permissions keep from the run where the capabilities allow, and says clearly that
// they are missing where not; /ZB then goes on as a restartable copy.
TEST_F(EngineSafety, BackupModeNeedsItsCapabilities) {
    write("src/locked", "secret");
    giveToNobody();
    ::chmod(path("src/locked").c_str(), 0);
    const Run refused = copy({"/B"}, "src", "dst", true);
    if (::geteuid() == 0) {
        EXPECT_EQ(refused.code, 16) << refused.output;
        EXPECT_NE(refused.output.find("CAP_DAC_READ_SEARCH"), std::string::npos) << refused.output;
        EXPECT_EQ(copy({"/ZB", "/R:0", "/W:0"}, "src", "dst", true).code, 8) << "restartable, without backup";
    }
    const Run backup = copy({"/B", "/R:0", "/W:0"});
    EXPECT_EQ(backup.code, ::geteuid() == 0 ? 1 : 16) << backup.output;
}

} // namespace
