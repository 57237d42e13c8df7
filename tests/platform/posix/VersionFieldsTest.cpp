// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/VersionFields.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "fakes/ElfFile.h"
#include "fakes/TempFolder.h"

namespace talvex::platform {
namespace {

using fakes::TempFolder;

const std::string kSection = fakes::VersionSection(
    {{"InternalName", "robocopy"}, {"FileVersion", "3, 7, 65, 123"}, {"Future", "ignored"}, {"PreRelease", "1"}});

TEST(ReadVersionFields, FindsTheSectionInEveryClassAndByteOrder) {
    TempFolder folder;
    for (const bool is64 : {true, false}) {
        for (const bool bigEndian : {false, true}) {
            SCOPED_TRACE(std::string(is64 ? "64" : "32") + (bigEndian ? " big" : " little"));
            fakes::ElfFile elf;
            elf.is64 = is64;
            elf.bigEndian = bigEndian;
            elf.sections = {{".text", "code"}, {".talvex_version", kSection + std::string(5, '\0')}};
            TempFolder::Write(folder.file("prog"), elf.bytes());
            const auto fields = ReadVersionFields(folder.file("prog"));
            ASSERT_TRUE(fields.has_value());
            EXPECT_EQ(fields->texts.internalName, "robocopy");
            EXPECT_EQ(fields->texts.fileVersion, "3, 7, 65, 123");
            EXPECT_TRUE(fields->preRelease);
            EXPECT_EQ(fields->texts.companyName, "");
        }
    }
}

TEST(ReadVersionFields, BrokenOrForeignFilesGiveNothing) {
    TempFolder folder;
    fakes::ElfFile good;
    good.sections = {{".talvex_version", kSection}};
    const std::string bytes = good.bytes();

    fakes::ElfFile noSection;
    noSection.sections = {{".text", "code"}};
    fakes::ElfFile notOurs;
    notOurs.sections = {{".talvex_version", "something else"}};
    std::string hugeCount = bytes;
    hugeCount[60] = '\xFF';
    hugeCount[61] = '\x7F';
    std::string badNameIndex = bytes;
    badNameIndex[62] = '\x09';

    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"script", "#!/bin/sh\necho hi\n"},
        {"no version section", noSection.bytes()},
        {"foreign section of that name", notOurs.bytes()},
        {"section headers cut off", bytes.substr(0, bytes.size() - 10)},
        {"only the file header", bytes.substr(0, 64)},
        {"header cut off", bytes.substr(0, 20)},
        {"section count beyond the file", hugeCount},
        {"name table index beyond the count", badNameIndex},
    };
    for (const auto& [what, contents] : cases) {
        TempFolder::Write(folder.file("f"), contents);
        EXPECT_FALSE(ReadVersionFields(folder.file("f")).has_value()) << what;
    }
    EXPECT_FALSE(ReadVersionFields(folder.file("missing")).has_value());

    // Every possible truncation: no crash, and nothing is read past the end.
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        TempFolder::Write(folder.file("cut"), bytes.substr(0, length));
        (void)ReadVersionFields(folder.file("cut"));
    }
}

TEST(ParseVersionSection, StopsAtAnUnterminatedValue) {
    const auto fields = ParseVersionSection(std::string("TALVEXVERSION1\0InternalName\0x\0Comments\0abc", 42));
    ASSERT_TRUE(fields.has_value());
    EXPECT_EQ(fields->texts.internalName, "x");
    EXPECT_EQ(fields->texts.comments, "");
}

TEST(ReadVersionFields, OurProgramsCarryTheirSection) {
    const auto robocopy = ReadVersionFields(std::string(TALVEX_BIN_DIR) + "/robocopy");
    ASSERT_TRUE(robocopy.has_value());
    EXPECT_EQ(robocopy->texts.internalName, "robocopy");
    EXPECT_EQ(robocopy->texts.companyName, "Talvex");
    EXPECT_FALSE(robocopy->texts.fileVersion.empty());
    EXPECT_FALSE(robocopy->texts.legalCopyright.empty());
    EXPECT_FALSE(robocopy->texts.homepage.empty());
    const auto adapter = ReadVersionFields(std::string(TALVEX_BIN_DIR) + "/talvex-burn");
    ASSERT_TRUE(adapter.has_value());
    EXPECT_EQ(adapter->texts.internalName, "talvex-burn");
    EXPECT_EQ(adapter->texts.fileVersion, robocopy->texts.fileVersion);

    const std::string gui = std::string(TALVEX_BIN_DIR) + "/talvex";
    if (!std::filesystem::exists(gui)) {
        GTEST_SKIP() << "the Qt program is not built here";
    }
    const auto talvex = ReadVersionFields(gui);
    ASSERT_TRUE(talvex.has_value());
    EXPECT_EQ(talvex->texts.internalName, "Talvex");
    EXPECT_EQ(talvex->texts.fileDescription, "Brenno's GUI für MS RoboCopy");
    EXPECT_EQ(talvex->texts.fileVersion, robocopy->texts.fileVersion);
}

} // namespace
} // namespace talvex::platform
