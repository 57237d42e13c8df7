// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/services/VersionInfo.h"

#include <gtest/gtest.h>

#include "fakes/ElfFile.h"
#include "fakes/TempFolder.h"

namespace talvex {
namespace {

using fakes::TempFolder;

TEST(FormatFileVersion, ReleaseShowsTwoPartsPreReleaseTheBuild) {
    struct Case {
        const char* version;
        bool preRelease;
        const char* text;
    };
    const Case cases[] = {
        {"3.7.65.123", false, "Version 3.7"},
        {"3.7.65.123", true, "Build 65"},
        {"1.0.12.0", true, "Build 12"},
        {"10.0.19041.1", false, "Version 10.0"},
        {"3.7.65", false, "Version 3"}, // three parts: as cut
        {"3.7", false, "Version 3.7"},
        {"3", false, "Version 3.0"}, // fewer: padded with zeros
        {"1", true, "Build 0"},
        {"1.2", true, "Build 0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatFileVersion(c.version, c.preRelease), c.text) << c.version << " " << c.preRelease;
    }
}

class ReadVersionInfoTest : public ::testing::Test {
protected:
    std::string program(const std::vector<std::pair<std::string, std::string>>& pairs) {
        fakes::ElfFile elf;
        elf.sections = {{".talvex_version", fakes::VersionSection(pairs)}};
        const std::string path = m_folder.file("prog" + std::to_string(m_count++));
        TempFolder::Write(path, elf.bytes());
        return path;
    }

private:
    TempFolder m_folder;
    int m_count = 0;
};

TEST_F(ReadVersionInfoTest, DotsTheVersionAndTrimsEveryField) {
    const std::string file = program({{"InternalName", " \tTalvex\r\n"},
                                      {"FileVersion", " 3, 7, 65, 123 "},
                                      {"CompanyName", "Talvex"},
                                      {"Homepage", "https://talvex.invalid/ "}});
    VersionInfo info;
    ASSERT_TRUE(ReadVersionInfo(file, false, info));
    EXPECT_EQ(info.internalName, "Talvex");
    EXPECT_EQ(info.fileVersion, "3.7.65.123");
    EXPECT_EQ(info.homepage, "https://talvex.invalid/");
    ASSERT_TRUE(ReadVersionInfo(file, true, info));
    EXPECT_EQ(info.fileVersion, "Version 3.7");
    EXPECT_EQ(FileVersionText(file), "Version 3.7");
    EXPECT_EQ(FileVersionText(program({{"FileVersion", "1.0.12.0"}, {"PreRelease", "1"}})), "Build 12");
}

TEST_F(ReadVersionInfoTest, DescriptionAloneOrNoSectionIsNotFound) {
    VersionInfo info;
    info.internalName = "untouched";
    EXPECT_FALSE(ReadVersionInfo(program({{"FileDescription", "only this"}}), true, info));
    EXPECT_EQ(info.fileDescription, "only this");

    VersionInfo other;
    other.internalName = "untouched";
    EXPECT_FALSE(ReadVersionInfo(TALVEX_TEST_DATA "/does-not-exist", true, other));
    EXPECT_EQ(other.internalName, "untouched");
    EXPECT_EQ(FileVersionText("/proc/self/status"), "");

    EXPECT_TRUE(ReadVersionInfo(program({{"Comments", "x"}}), true, info));
    EXPECT_EQ(info.fileVersion, ""); // an empty version is not formatted into "Version "
}

} // namespace
} // namespace talvex
