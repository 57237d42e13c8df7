// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>

#include <gtest/gtest.h>

#include "engine/Attributes.h"
#include "engine/FatNames.h"
#include "engine/Schedule.h"
#include "fakes/TempFolder.h"

namespace {

using namespace robocopy;
using namespace std::string_literals;

// Samba's hex string, alone or in front of its binary record, and the binary records without it.
TEST(Attributes, DecodesSambaForms) {
    const std::string flags = "\x0f\x00\x00\x00"s;
    const struct {
        std::string value;
        std::optional<std::uint32_t> expected;
    } cases[] = {
        {"0x20\0"s, 0x20},
        {"0X2a"s, 0x2a},
        {"0x22\0\x03\x00\x03\x00\x00\x00"s + flags + "\x22\x00\x00\x00"s, 0x22},           // hex before the record
        {"\0\x04\x00\x04\x00\x00\x00"s + flags + "\x06\x00\x00\x00"s + "itime..."s, 0x06}, // empty hex, version 4
        {"\x01\x00\x01\x00\x00\x00\x21\x00\x00\x00"s, 0x21},                               // version 1, no hex
        {"0x"s, std::nullopt},
        {"0x2g"s, std::nullopt},
        {"\x09\x00\x09\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"s, std::nullopt}, // unknown version
        {"\x03\x00\x03\x00"s, std::nullopt},                                         // cut short
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeDosAttrib(c.value), c.expected) << c.value.size();
    }
    EXPECT_EQ(EncodeDosAttrib(0x26), "0x26\0"s);
    EXPECT_EQ(DecodeDosAttrib(EncodeDosAttrib(0x2027)), 0x2027u);
}

TEST(Attributes, LettersAndWhatAFileShows) {
    EXPECT_EQ(ParseAttributeLetters("rash"), kAttrReadOnly | kAttrArchive | kAttrSystem | kAttrHidden);
    EXPECT_EQ(ParseAttributeLetters("CNETO"),
              kAttrCompressed | kAttrNotIndexed | kAttrEncrypted | kAttrTemporary | kAttrOffline);
    EXPECT_EQ(ParseAttributeLetters("RQ"), std::nullopt);
    EXPECT_EQ(FileAttributes(".profile", S_IFREG | 0444, 0), kAttrReadOnly | kAttrHidden);
    EXPECT_EQ(FileAttributes("plain", S_IFREG | 0644, 0), kAttrNormal);
    EXPECT_EQ(FileAttributes("stored", S_IFREG | 0644, kAttrSystem | kAttrNormal), kAttrSystem);
}

// 8.3 names as a FAT volume keeps them: valid ones upper-cased, others cut with "~n", all unique.
TEST(FatNames, ShortNamesAreUniqueAndStable) {
    std::vector<Entry> entries;
    for (const char* name : {".profile", "A.TXT", "Long Report 2024.docx", "Long Report 2025.docx", "a.txt",
                             "archive.tar.gz", "plus+sign.c", "readme"}) {
        entries.push_back(Entry{name, {}, false, false, 0});
    }
    EXPECT_EQ(FatNames(entries), (std::vector<std::string>{"PROFIL~1", "A.TXT", "LONGRE~1.DOC", "LONGRE~2.DOC",
                                                           "A~1.TXT", "ARCHIV~1.GZ", "PLUS_S~1.C", "README"}));
}

// Run hours within a day and across midnight; equal ends mean all day.
TEST(Schedule, SecondsUntilRunHours) {
    const struct {
        int minute, second, start, end, expected;
    } cases[] = {
        {600, 0, 480, 1020, 0},  {420, 30, 480, 1020, 3570}, {1020, 0, 480, 1020, 900 * 60},
        {1380, 0, 1320, 360, 0}, {100, 0, 1320, 360, 0},     {400, 0, 1320, 360, 920 * 60},
        {5, 0, 600, 600, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SecondsUntilRunHours(c.minute, c.second, c.start, c.end), c.expected) << c.minute << " " << c.start;
    }
}

// Changes are counted with inotify and by polling alike (a new file, a changed one, a new folder, a
// deletion), and a quiet tree counts none: else a monitoring run would never start again, or never rest.
TEST(Schedule, ChangeMonitorCountsChangesWatchedOrPolled) {
    using talvex::fakes::TempFolder;
    for (const bool poll : {false, true}) {
        const TempFolder folder;
        const std::string root = folder.path().string();
        TempFolder::Write(root + "/old", "old");
        ChangeMonitor monitor(root, poll);
        TempFolder::Write(root + "/new", "new");
        TempFolder::Write(root + "/old", "older");
        std::filesystem::create_directory(root + "/sub");
        EXPECT_GE(monitor.collect(), 3u) << poll;
        EXPECT_EQ(monitor.collect(), 0u) << poll;
        std::filesystem::remove(root + "/new");
        EXPECT_GE(monitor.collect(), 1u) << poll;
    }
}

} // namespace
