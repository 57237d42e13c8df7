// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ProgramSearch.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "fakes/TempFolder.h"

namespace talvex::platform {
namespace {

namespace fs = std::filesystem;

class ProgramSearchTest : public ::testing::Test {
protected:
    ProgramSearchTest() {
        fs::create_directory(own());
        fs::create_directory(path());
    }
    std::string own() const { return m_root.file("own"); }
    std::string path() const { return m_root.file("bin"); }
    std::vector<std::string> folders() const { return {own(), path()}; }
    static std::string makeFile(const std::string& folder, const std::string& name, bool executable = true) {
        const std::string file = folder + "/" + name;
        fakes::TempFolder::Write(file, "#!/bin/sh\n");
        fs::permissions(file, executable ? fs::perms::owner_all : fs::perms::owner_read | fs::perms::owner_write);
        return file;
    }

private:
    fakes::TempFolder m_root;
};

TEST_F(ProgramSearchTest, ProgramFolderComesBeforePathAndCaseIsIgnored) {
    const std::string bundled = makeFile(own(), "robocopy");
    makeFile(path(), "RoboCopy");
    EXPECT_EQ(FindProgram("RoboCopy", folders()), bundled);
    EXPECT_EQ(FindProgram("ROBOCOPY", folders()), bundled);
    // Within one folder the exact spelling wins.
    const std::string exact = makeFile(own(), "RoboCopy");
    EXPECT_EQ(FindProgram("RoboCopy", folders()), exact);
}

TEST_F(ProgramSearchTest, OnlyExecutableFilesCountAndPathIsSearchedNext) {
    makeFile(own(), "robocopy", false);
    fs::create_directory(own() + "/RoboCopy");
    const std::string installed = makeFile(path(), "robocopy");
    EXPECT_EQ(FindProgram("RoboCopy", folders()), installed);
    EXPECT_EQ(FindProgram("missing", folders()), std::nullopt);
    EXPECT_EQ(FindProgram("", folders()), std::nullopt);
}

TEST_F(ProgramSearchTest, NameWithFolderIsLookedForThereOnly) {
    const std::string installed = makeFile(path(), "robocopy");
    makeFile(own(), "robocopy");
    EXPECT_EQ(FindProgram(path() + "/ROBOCOPY", folders()), installed);
    EXPECT_EQ(FindProgram(path() + "/other", folders()), std::nullopt);
}

TEST(ProgramSearchFolders, ProgramFolderFirstThenPathWithoutEmptyEntries) {
    EXPECT_EQ(ProgramSearchFolders("/opt/talvex", ":/usr/bin::/bin:"),
              (std::vector<std::string>{"/opt/talvex", "/usr/bin", "/bin"}));
    EXPECT_EQ(ProgramSearchFolders("", "/usr/bin"), (std::vector<std::string>{"/usr/bin"}));
}

} // namespace
} // namespace talvex::platform
