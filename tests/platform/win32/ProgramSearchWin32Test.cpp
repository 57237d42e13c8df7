// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>

#include <gtest/gtest.h>

#include "fakes/TempFolder.h"
#include "platform/ProgramSearch.h"

namespace talvex::platform {
namespace {

using fakes::TempFolder;

// A command line names "robocopy"; Windows runs robocopy.exe, found in the program folder before PATH.
TEST(Win32ProgramSearch, TheExtensionIsAddedAndTheProgramFolderComesFirst) {
    const TempFolder temp;
    std::filesystem::create_directory(temp.path() / "program");
    std::filesystem::create_directory(temp.path() / "system");
    const std::string program = temp.file("program");
    const std::string system = temp.file("system");
    TempFolder::Write(system + "\\Robocopy.exe", "");
    TempFolder::Write(system + "\\notes", "");
    const std::vector<std::string> folders{program, system};

    EXPECT_EQ(FindProgram("robocopy", folders), system + "\\robocopy.exe");
    TempFolder::Write(program + "\\robocopy.exe", "");
    EXPECT_EQ(FindProgram("RoboCopy", folders), program + "\\RoboCopy.exe");
    EXPECT_EQ(FindProgram("robocopy.exe", folders), program + "\\robocopy.exe");
    EXPECT_EQ(FindProgram(system + "\\robocopy", folders), system + "\\robocopy.exe") << "a folder part is kept";
    EXPECT_EQ(FindProgram(system + "/robocopy", folders), system + "\\robocopy.exe");
    EXPECT_FALSE(FindProgram("notes", folders).has_value()) << "a file without a program extension";
    EXPECT_FALSE(FindProgram("system", {temp.path().string()}).has_value()) << "a folder is no program";
    EXPECT_FALSE(FindProgram("", folders).has_value());
}

TEST(Win32ProgramSearch, PathIsSplitAtSemicolonsWithQuotedEntriesKept) {
    EXPECT_EQ(ProgramSearchFolders("C:\\Talvex", R"(C:\Windows\system32;;"D:\a;b";C:\Tools)"),
              (std::vector<std::string>{"C:\\Talvex", "C:\\Windows\\system32", "D:\\a;b", "C:\\Tools"}));
}

} // namespace
} // namespace talvex::platform
