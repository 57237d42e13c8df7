// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exec/DetectRobocopy.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "fakes/ElfFile.h"
#include "fakes/ScriptedUserInterface.h"
#include "fakes/TempFolder.h"

namespace talvex::exec {
namespace {

namespace fs = std::filesystem;

class DetectRobocopyTest : public ::testing::Test {
protected:
    DetectRobocopyTest() {
        for (const char* name : {"settings", "system", "program"}) {
            fs::create_directory(m_root.file(name));
        }
        m_locations = {
            m_root.file("settings"), {m_root.file("empty-path-entry"), m_root.file("system")}, m_root.file("program")};
    }

    // A program file named `name` in `folder` carrying the given version fields.
    std::string program(const std::string& folder, const std::string& name, const std::string& internalName,
                        const std::string& fileVersion, const std::string& company = "") {
        fakes::ElfFile elf;
        elf.sections = {{".talvex_version", fakes::VersionSection({{"InternalName", internalName},
                                                                   {"FileVersion", fileVersion},
                                                                   {"CompanyName", company}})}};
        const std::string path = m_root.file(folder + "/" + name);
        fakes::TempFolder::Write(path, elf.bytes());
        fs::permissions(path, fs::perms::owner_all);
        return path;
    }

    fakes::TempFolder m_root;
    RobocopyLocations m_locations;
    fakes::ScriptedUserInterface m_ui;
};

TEST_F(DetectRobocopyTest, SettingsFolderWinsOverTheSystemAndProgramFolders) {
    program("program", "robocopy", "robocopy", "0.3.0.0");
    program("system", "robocopy", "robocopy", "10.0.0.1");
    const std::string chosen = program("settings", "RoboCopy", "robocopy", "4.0.1.96");
    const auto found = DetectRobocopy(m_locations, m_ui);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->programFile, chosen) << "an older robocopy of the user's choice still comes first";
    EXPECT_EQ(found->shownName, "RoboCopy v1.96");
    EXPECT_TRUE(m_ui.messages.empty());
}

TEST_F(DetectRobocopyTest, ProgramFolderIsTheLastResortAndNeedsAnExecutableFile) {
    const std::string notRunnable = m_root.file("system/robocopy");
    fakes::TempFolder::Write(notRunnable, "");
    const std::string bundled = program("program", "robocopy", "robocopy", "0.1.0.0");
    const auto found = DetectRobocopy(m_locations, m_ui);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->programFile, bundled);
    EXPECT_EQ(found->shownName, "RoboCopy 0.1.0.0");
}

// Only a file that says it is a robocopy, with a version, gets a name in the status bar; any other
// is still used.
TEST_F(DetectRobocopyTest, ShownNameNeedsTheInternalNameAndAVersion) {
    struct Case {
        const char* internalName; // nullptr: a script without version fields
        const char* fileVersion;
        const char* shownName;
        const char* company = "";
        bool bundled = false; // our own engine, known by its company
    };
    const Case cases[] = {
        {"robocopy", "0.3.0.0", "RoboCopy 0.3.0.0", "Talvex", true},
        {"robocopy", "10.0.19041.1", "RoboCopy 10.0.19041.1", "Microsoft Corporation", false},
        {"xcopy", "0.3.0.0", "", "Talvex", false},
        {"ROBOCOPY", "5.1.2600.26", "RoboCopy XP026"},
        {"RoboCopy", "5.1.1.1010", "RoboCopy XP010"},
        {"robocopy", "5.1.2600.2180", "RoboCopy 5.1.2600.2180"},
        {"xcopy", "5.1.2600.26", ""},
        {"robocopy", "", ""},
        {nullptr, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.internalName != nullptr ? c.internalName : "script") + " " + c.fileVersion);
        const std::string file = m_root.file("settings/robocopy");
        if (c.internalName != nullptr) {
            program("settings", "robocopy", c.internalName, c.fileVersion, c.company);
        } else {
            fakes::TempFolder::Write(file, "#!/bin/sh\n");
            fs::permissions(file, fs::perms::owner_all);
        }
        const auto found = DetectRobocopy(m_locations, m_ui);
        ASSERT_TRUE(found);
        EXPECT_EQ(found->programFile, file);
        EXPECT_EQ(found->shownName, c.shownName);
        EXPECT_EQ(found->bundledEngine, c.bundled);
    }
}

TEST_F(DetectRobocopyTest, NoRobocopyAnywhereTellsTheUserAndFindsNothing) {
    EXPECT_FALSE(DetectRobocopy(m_locations, m_ui));
    ASSERT_EQ(m_ui.messages.size(), 1U);
    EXPECT_EQ(m_ui.messages[0].text, "RoboCopy.exe wurde nicht gefunden. Die Anwendung wird geschlossen.");
    EXPECT_EQ(m_ui.messages[0].buttons, Buttons::Ok);
}

} // namespace
} // namespace talvex::exec
