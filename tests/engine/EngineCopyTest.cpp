// SPDX-License-Identifier: GPL-3.0-or-later
#include <chrono>
#include <sstream>

#include <sys/sysmacros.h>
#include <sys/xattr.h>

#include "TreeFixture.h"

namespace {

using EngineCopy = TreeFixture;
using Tree = std::map<std::string, std::string>;

TEST_F(EngineCopy, FreshCopyKeepsDataAndTimesThenFindsNothingToDo) {
    write("src/a.txt", "alpha", 1600000000);
    write("src/sub/deep/b.bin", std::string(3 * 1024 * 1024, 'b'));
    std::filesystem::create_directories(path("src/empty"));

    const Run first = copy({"/E"});
    EXPECT_EQ(first.code, 1) << first.output;
    EXPECT_EQ(tree("dst"), tree("src"));
    struct stat status {};
    ASSERT_EQ(::stat(path("dst/a.txt").c_str(), &status), 0);
    EXPECT_EQ(status.st_mtim.tv_sec, 1600000000); // the mode: FileModesOwnersAndGroupsAreKept

    const Run second = copy({"/E"});
    EXPECT_EQ(second.code, 0) << second.output;
    EXPECT_EQ(second.output.find("New File"), std::string::npos);
}

// A file is made with its final mode where nothing can change it later and given it at the end
// where something can: the creation mask (0664), a read-only mode, set-id bits, which a change of
// owner clears, another owner (as root), and a folder whose set-group-ID bit hands out its group.
TEST_F(EngineCopy, FileModesOwnersAndGroupsAreKept) {
    const bool root = ::geteuid() == 0;
    const struct {
        const char* name;
        mode_t mode;
        uid_t owner;
    } files[] = {{"plain", 0640, 0},   {"masked", 0664, 0},        {"locked", 0444, 0},
                 {"setuid", 04755, 0}, {"theirs", 04750, kNobody}, {"group/inherits", 0644, 0}};
    const auto check = [&](const char* flags) {
        for (const auto& f : files) {
            struct stat status {};
            ASSERT_EQ(::stat(path(std::string("dst/") + f.name).c_str(), &status), 0) << f.name;
            const bool all = std::string_view(flags) == "/COPYALL";
            EXPECT_EQ(status.st_mode & 07777, f.mode & (all ? 07777 : 0777)) << f.name << flags;
            if (root && all) {
                EXPECT_TRUE(status.st_uid == f.owner && status.st_gid == f.owner) << f.name << " " << status.st_gid;
            }
        }
    };
    for (const char* flags : {"/COPY:DAT", "/COPYALL"}) {
        std::filesystem::remove_all(m_root);
        for (const auto& f : files) {
            write(std::string("src/") + f.name, f.name, 1600000000);
            if (root && f.owner != 0) {
                ASSERT_EQ(::chown(path(std::string("src/") + f.name).c_str(), f.owner, f.owner), 0);
            }
            ::chmod(path(std::string("src/") + f.name).c_str(), f.mode);
        }
        if (root) {
            ASSERT_EQ(::chown(path("src/group").c_str(), kNobody, kNobody), 0);
        }
        ::chmod(path("src/group").c_str(), 02775);
        EXPECT_EQ(copy({"/E", flags}).code, 1) << flags;
        check(flags);
        // Again into folders that exist now: dst/group hands its group to what is made in it.
        write("src/group/inherits", "changed", 1700000000);
        ::chmod(path("src/group/inherits").c_str(), 0644);
        EXPECT_EQ(copy({"/E", flags}).code, 1) << flags;
        check(flags);
    }
}

// Small folders are listed ahead on the helper threads, wide ones when they are entered; both must agree.
TEST_F(EngineCopy, WideAndNarrowFoldersMirrorAlike) {
    for (int i = 0; i < 2500; ++i) {
        write("src/wide/a-file-name-long-enough-to-make-the-folder-big-" + std::to_string(i), "w");
    }
    for (int i = 0; i < 20; ++i) {
        write("src/narrow" + std::to_string(i) + "/f", std::to_string(i));
        write("dst/narrow" + std::to_string(i) + "/extra", "x");
    }
    write("dst/wide/extra", "x");
    EXPECT_EQ(copy({"/MIR", "/NFL"}).code, 3);
    EXPECT_EQ(tree("dst"), tree("src"));
    EXPECT_EQ(copy({"/MIR"}).code, 0);
}

TEST_F(EngineCopy, TreeShapeSwitches) {
    struct Case {
        std::vector<std::string> switches;
        Tree expected;
    };
    const std::vector<Case> cases = {
        {{}, {{"top", "t"}}},
        {{"/S"}, {{"top", "t"}, {"one", "<dir>"}, {"one/x", "1"}, {"one/two", "<dir>"}, {"one/two/y", "2"}}},
        {{"/E"},
         {{"top", "t"},
          {"one", "<dir>"},
          {"one/x", "1"},
          {"one/two", "<dir>"},
          {"one/two/y", "2"},
          {"empty", "<dir>"}}},
        {{"/E", "/LEV:2"}, {{"top", "t"}, {"one", "<dir>"}, {"one/x", "1"}, {"empty", "<dir>"}}},
        {{"/CREATE", "/S"}, {{"top", ""}, {"one", "<dir>"}, {"one/x", ""}, {"one/two", "<dir>"}, {"one/two/y", ""}}},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(m_root);
        std::filesystem::create_directories(path("src/empty"));
        write("src/top", "t");
        write("src/one/x", "1");
        write("src/one/two/y", "2");
        const Run result = copy(c.switches);
        EXPECT_EQ(result.code, 1) << result.output;
        EXPECT_EQ(tree("dst"), c.expected) << (c.switches.empty() ? "" : c.switches.front());
    }
}

// One destination file per class; which ones a run lets through shows in their content. Every switch
// is in the decision table; here the walk must carry the decision out.
TEST_F(EngineCopy, FileClassesAndTheirSwitches) {
    struct Case {
        std::vector<std::string> switches;
        std::vector<std::string> copied;
    };
    const std::vector<Case> cases = {
        {{}, {"new", "newer", "older", "changed"}},
        {{"/XO", "/XL", "/IS"}, {"newer", "changed", "same"}},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(m_root);
        for (const char* name : {"new", "newer", "older", "same"}) {
            write(std::string("src/") + name, "SOURCE", 1000000);
        }
        write("src/changed", "SOURCE-LONGER", 1000000);
        write("dst/newer", "dest", 999000);
        write("dst/older", "dest", 1001000);
        write("dst/same", "SOURCX", 1000000); // same size and time: robocopy trusts them
        write("dst/changed", "dest", 1000000);
        const Run result = copy(c.switches);
        std::vector<std::string> copied;
        for (const char* name : {"new", "newer", "older", "changed", "same"}) {
            if (exists(std::string("dst/") + name) && read(std::string("dst/") + name).starts_with("SOURCE")) {
                copied.emplace_back(name);
            }
        }
        EXPECT_EQ(copied, c.copied) << (c.switches.empty() ? "default" : c.switches.front()) << result.output;
        EXPECT_EQ(result.code & ~1, 0) << result.output;
    }
}

TEST_F(EngineCopy, NameFiltersSelectAndProtectFromPurge) {
    write("src/keep.txt", "k");
    write("src/skip.tmp", "s");
    write("src/.git/config", "g");
    write("src/build/out.o", "o");
    write("src/lib/code.txt", "c");
    write("dst/old.tmp", "extra but excluded");
    write("dst/gone.txt", "extra");
    write("dst/.git/HEAD", "excluded folder");

    const Run result = copy({"/MIR", "/XF", "*.TMP", "/XD", ".git", path("src/build"), "/NP"});
    EXPECT_EQ(result.code, 3) << result.output;
    EXPECT_EQ(tree("dst"), (Tree{{"keep.txt", "k"},
                                 {"old.tmp", "extra but excluded"},
                                 {".git", "<dir>"},
                                 {".git/HEAD", "excluded folder"},
                                 {"lib", "<dir>"},
                                 {"lib/code.txt", "c"}}));
}

TEST_F(EngineCopy, FilePatternsAndIncludedFolders) {
    write("src/a.txt", "a");
    write("src/b.doc", "b");
    write("src/docs/c.txt", "c");
    write("src/other/d.txt", "d");
    const Run result = copy({"*.txt", "/S", "/ID", "docs"});
    EXPECT_EQ(result.code, 1) << result.output;
    EXPECT_EQ(tree("dst"), (Tree{{"a.txt", "a"}, {"docs", "<dir>"}, {"docs/c.txt", "c"}}));
}

TEST_F(EngineCopy, ListOnlyChangesNothing) {
    write("src/a", "a");
    write("dst/extra", "x");
    const Run result = copy({"/MIR", "/L"});
    EXPECT_EQ(result.code, 3) << result.output;
    EXPECT_EQ(tree("dst"), (Tree{{"extra", "x"}}));
    EXPECT_NE(result.output.find("New File"), std::string::npos);
    EXPECT_NE(result.output.find("*EXTRA File"), std::string::npos);
}

TEST_F(EngineCopy, MoveRemovesWhatWasCopied) {
    write("src/a", "a");
    write("src/sub/b", "b");
    const Run mov = copy({"/S", "/MOV"});
    EXPECT_EQ(mov.code, 1) << mov.output;
    EXPECT_EQ(tree("src"), (Tree{{"sub", "<dir>"}}));

    write("src/sub/c", "c");
    const Run move = copy({"/S", "/MOVE"});
    EXPECT_EQ(move.code, 3) << "what the first run moved is extra now: " << move.output;
    EXPECT_TRUE(tree("src").empty());
    EXPECT_EQ(tree("dst"), (Tree{{"a", "a"}, {"sub", "<dir>"}, {"sub/b", "b"}, {"sub/c", "c"}}));

    write("src/d", "only copy");
    EXPECT_EQ(copy({"/MOV", "/CREATE"}, "src", "empty").code, 1);
    EXPECT_EQ(read("src/d"), "only copy") << "/CREATE writes no data, so nothing has moved";
}

// Without /PURGE a file meeting a folder is only reported; /PURGE deletes the destination entry and
// copies the source as new, so that the next run finds nothing left to do.
TEST_F(EngineCopy, MismatchedTypesReportedOrReplacedUnderPurge) {
    write("src/name", "file in source");
    write("src/folder/inside", "folder in source");
    write("dst/name/inside", "folder in destination");
    write("dst/folder", "file in destination");
    const Run reported = copy({"/E"});
    EXPECT_EQ(reported.code & 4, 4) << reported.output;
    EXPECT_EQ(read("dst/name/inside"), "folder in destination");

    const Run mirrored = copy({"/MIR"});
    EXPECT_EQ(mirrored.code, 3) << mirrored.output;
    EXPECT_EQ(tree("dst"), tree("src"));
    EXPECT_EQ(copy({"/MIR"}).code, 0);
}

TEST_F(EngineCopy, LinksFollowedCopiedOrExcluded) {
    write("outside/target.txt", "linked");
    std::filesystem::create_directories(path("src"));
    std::filesystem::create_symlink(path("outside/target.txt"), path("src/link.txt"));
    std::filesystem::create_symlink(path("outside"), path("src/linkdir"));
    const Tree followedFile{{"link.txt", "linked"}};
    const Tree followedDir{{"linkdir", "<dir>"}, {"linkdir/target.txt", "linked"}};
    const Tree fileAsLink{{"link.txt", "-> " + path("outside/target.txt")}};
    const Tree dirAsLink{{"linkdir", "-> " + path("outside")}};
    const auto both = [](Tree a, const Tree& b) {
        a.insert(b.begin(), b.end());
        return a;
    };
    struct Case {
        std::vector<std::string> switches;
        Tree expected;
    };
    const std::vector<Case> cases = {
        {{}, both(followedFile, followedDir)},
        {{"/SL"}, both(fileAsLink, dirAsLink)},
        {{"/XJ"}, {}},
        {{"/XJD"}, followedFile},
        {{"/XJF"}, followedDir},
        {{"/SL", "/XJ"}, {}},
        {{"/SL", "/XJD"}, fileAsLink},
        {{"/SL", "/XJF"}, dirAsLink},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(path("dst"));
        std::vector<std::string> switches = {"/S"};
        switches.insert(switches.end(), c.switches.begin(), c.switches.end());
        const Run result = copy(switches);
        EXPECT_EQ(tree("dst"), c.expected) << switches.back() << result.output;
    }
}

// A disk image of mostly holes stays small, and the data between its holes stays in place.
TEST_F(EngineCopy, SparseFilesKeepTheirHoles) {
    constexpr off_t kSize = off_t{256} << 20;
    std::filesystem::create_directories(path("src"));
    const int fd = ::open(path("src/image").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::pwrite(fd, "head", 4, 0), 4);
    ASSERT_EQ(::pwrite(fd, "middle", 6, kSize / 2), 6);
    ASSERT_EQ(::ftruncate(fd, kSize), 0);
    ::close(fd);
    const Run result = copy({});
    EXPECT_EQ(result.code, 1) << result.output;
    struct stat status {};
    ASSERT_EQ(::stat(path("dst/image").c_str(), &status), 0);
    EXPECT_EQ(status.st_size, kSize);
    EXPECT_LT(status.st_blocks * 512, off_t{1} << 20) << "holes written out as zeros";
    const int copied = ::open(path("dst/image").c_str(), O_RDONLY | O_CLOEXEC);
    char head[5] = {};
    char middle[7] = {};
    EXPECT_EQ(::pread(copied, head, 4, 0), 4);
    EXPECT_EQ(::pread(copied, middle, 6, kSize / 2), 6);
    ::close(copied);
    EXPECT_STREQ(head, "head");
    EXPECT_STREQ(middle, "middle");
}

// A shared folder keeps its sticky and set-group bits, and with /COPYALL its ACLs and user attributes.
TEST_F(EngineCopy, FolderModeBitsAclsAndAttributesAreKept) {
    write("src/shared/f", "f");
    write("src/group/g", "g");
    ::chmod(path("src/shared").c_str(), 01777);
    ::chmod(path("src/group").c_str(), 02775);
    const bool attributes = ::setxattr(path("src/shared").c_str(), "user.talvex", "v", 1, 0) == 0;
    // A default ACL of three entries: owner rwx, group r-x, others r-x.
    const unsigned char acl[] = {2, 0, 0,    0,    1,    0,    7,    0, 0xFF, 0xFF, 0xFF, 0xFF, 4,    0,
                                 5, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0x20, 0, 5,    0,    0xFF, 0xFF, 0xFF, 0xFF};
    const bool acls = ::setxattr(path("src/group").c_str(), "system.posix_acl_default", acl, sizeof acl, 0) == 0;

    for (const char* flags : {"/COPY:DAT", "/COPYALL"}) {
        std::filesystem::remove_all(path("dst"));
        const Run result = copy({"/E", flags});
        EXPECT_EQ(result.code, 1) << result.output;
        struct stat status {};
        ::stat(path("dst/shared").c_str(), &status);
        EXPECT_EQ(status.st_mode & 07777, 01777u) << flags;
        ::stat(path("dst/group").c_str(), &status);
        EXPECT_EQ(status.st_mode & 07777, 02775u) << flags;
    }
    char value[8] = {};
    if (attributes) {
        EXPECT_EQ(::getxattr(path("dst/shared").c_str(), "user.talvex", value, sizeof value), 1);
    }
    if (acls) {
        EXPECT_EQ(::getxattr(path("dst/group").c_str(), "system.posix_acl_default", nullptr, 0),
                  static_cast<ssize_t>(sizeof acl));
    }
}

// FIFOs, sockets and devices are never skipped silently; root's /COPYALL makes FIFOs and devices anew.
TEST_F(EngineCopy, SpecialFilesAreReportedOrMadeAnew) {
    write("src/a", "a");
    ASSERT_EQ(::mkfifo(path("src/pipe").c_str(), 0640), 0);
    const bool device = ::mknod(path("src/null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    const Run plain = copy({});
    EXPECT_EQ(plain.code, 1) << plain.output;
    EXPECT_NE(plain.output.find("*Special"), std::string::npos) << plain.output;
    EXPECT_FALSE(exists("dst/pipe"));
    if (::geteuid() != 0) {
        return;
    }
    const Run all = copy({"/COPYALL"}, "src", "all");
    EXPECT_EQ(all.code, 1) << all.output;
    struct stat status {};
    ASSERT_EQ(::lstat(path("all/pipe").c_str(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    if (device) {
        ASSERT_EQ(::lstat(path("all/null").c_str(), &status), 0);
        EXPECT_TRUE(S_ISCHR(status.st_mode) && status.st_rdev == makedev(1, 3));
    }
    EXPECT_EQ(copy({"/COPYALL"}, "src", "all").code, 0) << "nothing left to do";
}

} // namespace

namespace {

// The Dirs, Files and Bytes rows of a summary.
std::string CountRows(const std::string& output) {
    const auto from = output.rfind("    Dirs :");
    const auto to = output.find("   Times :", from);
    return from == std::string::npos || to == std::string::npos ? std::string() : output.substr(from, to - from);
}

// The Times row in seconds: Total, Copied, Failed, Extras.
std::vector<int> TimesRow(const std::string& output) {
    const auto at = output.rfind("   Times :");
    std::istringstream row(at == std::string::npos ? std::string() : output.substr(at + 10));
    std::vector<int> seconds;
    for (int i = 0; i < 4; ++i) {
        int hours = 0, minutes = 0, secs = 0;
        char colon = 0;
        row >> hours >> colon >> minutes >> colon >> secs;
        seconds.push_back(hours * 3600 + minutes * 60 + secs);
    }
    return seconds;
}

} // namespace

// /MT writes the same files, counts the same and ends with the same code as a plain run,
// also with a file among many that fails, and every file's lines stay together in the log. No time
// column may outgrow the run's total.
TEST_F(EngineCopy, ParallelRunMatchesSerialRun) {
    for (int i = 0; i < 300; ++i) {
        write("src/d" + std::to_string(i % 7) + "/f" + std::to_string(i),
              std::string(static_cast<std::size_t>(i * 13), 'x'));
    }
    write("src/d1/big", std::string(3 * 1024 * 1024, 'b'));
    write("src/d2/locked", "secret");
    giveToNobody();
    ::chmod(path("src/d2/locked").c_str(), 0);
    std::string serialRows;
    for (const char* destination : {"serial", "parallel"}) {
        write(std::string(destination) + "/d3/extra", "e");
        giveToNobody();
        const bool parallel = std::string(destination) == "parallel";
        const Run result = copy({"/MIR", "/R:1", "/W:1", parallel ? "/MT:8" : "/NP"}, "src", destination, true);
        EXPECT_EQ(result.code, 11) << destination << result.output;
        const std::string rows = CountRows(result.output);
        EXPECT_NE(rows.find("   Files :       302       301         0         0         1         1\n"),
                  std::string::npos)
            << result.output;
        const std::vector<int> times = TimesRow(result.output);
        EXPECT_GE(times[0], times[1] + times[2]) << result.output;
        EXPECT_EQ(times[2], 1) << "the one wait";
        const auto locked = result.output.find("\tlocked\n");
        ASSERT_NE(locked, std::string::npos) << result.output;
        EXPECT_NE(result.output.substr(locked + 8, 40).find(" ERROR 5 "), std::string::npos) << result.output;
        if (parallel) {
            EXPECT_EQ(rows, serialRows);
            EXPECT_EQ(result.output.find('%'), std::string::npos) << "no percentages with /MT";
        }
        serialRows = rows;
    }
    ::chmod(path("src/d2/locked").c_str(), 0644);
    EXPECT_EQ(tree("serial"), tree("parallel"));
    EXPECT_EQ(tree("serial").size(), 300u + 8u);
}

namespace {

std::string DosAttrib(const std::string& file) {
    char value[64] = {};
    const ssize_t size = ::lgetxattr(file.c_str(), "user.DOSATTRIB", value, sizeof value);
    return size > 0 ? std::string(value) : std::string("none");
}

} // namespace

// DOS attributes round-trip through user.DOSATTRIB: they select files (/A, /M, /IA, /XA), /M clears
// the archive bit at the source, /A+ and /A- change the copies, and a plain copy carries them.
TEST_F(EngineCopy, DosAttributesSelectAndChangeFiles) {
    const auto prepare = [this] {
        std::filesystem::remove_all(path("src"));
        std::filesystem::remove_all(path("dst"));
        for (const char* name : {"archived", "plain", ".hidden", "system", "locked"}) {
            write(std::string("src/") + name, name);
        }
        ASSERT_EQ(::lsetxattr(path("src/archived").c_str(), "user.DOSATTRIB", "0x20", 5, 0), 0);
        ASSERT_EQ(::lsetxattr(path("src/system").c_str(), "user.DOSATTRIB", "0x24", 5, 0), 0);
        ::chmod(path("src/locked").c_str(), 0444);
    };
    const struct {
        std::vector<std::string> switches;
        std::vector<std::string> copied;
    } cases[] = {
        {{"/A"}, {"archived", "system"}},
        {{"/M"}, {"archived", "system"}},
        {{"/IA:RH"}, {".hidden", "locked"}},
        {{"/XA:SH"}, {"archived", "locked", "plain"}},
        {{}, {".hidden", "archived", "locked", "plain", "system"}},
    };
    for (const auto& c : cases) {
        prepare();
        const Run result = copy(c.switches);
        EXPECT_LT(result.code, 8) << result.output;
        std::vector<std::string> copied;
        for (const auto& [name, content] : tree("dst")) {
            copied.push_back(name);
        }
        EXPECT_EQ(copied, c.copied) << (c.switches.empty() ? "" : c.switches[0]) << result.output;
        const bool reset = !c.switches.empty() && c.switches[0] == "/M";
        EXPECT_EQ(DosAttrib(path("src/archived")), reset ? "0x0" : "0x20");
        EXPECT_EQ(DosAttrib(path("src/system")), reset ? "0x4" : "0x24");
    }
    EXPECT_EQ(DosAttrib(path("dst/system")), "0x24") << "carried by a plain copy";

    prepare();
    EXPECT_EQ(copy({"/A+:RH", "/A-:A"}).code, 1);
    EXPECT_EQ(DosAttrib(path("dst/system")), "0x7");
    EXPECT_EQ(DosAttrib(path("dst/plain")), "0x3");
    struct stat status {};
    ASSERT_EQ(::stat(path("dst/plain").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0222, 0u) << "read-only lives in the write bits too";

    // A file system without user extended attributes (procfs) is named once when attributes are
    // asked for, and the file is copied all the same.
    constexpr std::string_view kNoAttributes = "no user extended attributes here";
    EXPECT_EQ(copy({}).output.find(kNoAttributes), std::string::npos) << "this folder holds them";
    for (const bool attributes : {true, false}) {
        std::filesystem::remove_all(path("dst"));
        const Run result = run({"/proc/sys/kernel", path("dst"), "ostype", attributes ? "/COPYALL" : "/COPY:DT"});
        EXPECT_EQ(result.code, 1) << result.output;
        const std::size_t at = result.output.find(kNoAttributes);
        EXPECT_EQ(at != std::string::npos, attributes) << result.output;
        EXPECT_EQ(result.output.find(kNoAttributes, at + 1), std::string::npos) << "once";
        EXPECT_FALSE(read("dst/ostype").empty());
    }
}

// /IPG leaves its gap between blocks of 64 KiB: three times the gap takes about three times as long.
TEST_F(EngineCopy, InterPacketGapPacesTheCopy) {
    write("src/one", std::string(std::size_t{1} << 20, 'g')); // 16 blocks, 15 gaps
    const auto timed = [this](const std::string& gap) {
        std::filesystem::remove_all(path("dst"));
        const auto started = std::chrono::steady_clock::now();
        EXPECT_EQ(copy({gap, "/NP"}).code, 1);
        EXPECT_EQ(read("dst/one"), read("src/one"));
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    };
    const double short_ = timed("/IPG:20");
    const double long_ = timed("/IPG:60");
    EXPECT_GE(short_, 0.3);
    EXPECT_GE(long_, 0.9);
    EXPECT_GT(long_ / short_, 1.5) << short_ << " " << long_; // about 3 but for the start-up, on a busy machine less
}

// /FAT writes 8.3 names, and a later mirror pairs the files by them: nothing to copy, nothing to purge.
TEST_F(EngineCopy, FatNamesConverge) {
    write("src/Long Folder Name/Quarterly report.pdf", "q");
    write("src/notes.txt", "n");
    EXPECT_EQ(copy({"/MIR", "/FAT"}).code, 1);
    EXPECT_EQ(tree("dst"), (Tree{{"LONGFO~1", "<dir>"}, {"LONGFO~1/QUARTE~1.PDF", "q"}, {"NOTES.TXT", "n"}}));
    const Run again = copy({"/MIR", "/FAT"});
    EXPECT_EQ(again.code, 0) << again.output;
}
