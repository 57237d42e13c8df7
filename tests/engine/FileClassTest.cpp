// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/FileClass.h"

#include <gtest/gtest.h>

#include "engine/Text.h"

namespace {

using robocopy::FileClass;

struct stat fileWith(off_t size, time_t seconds, long nanoseconds, mode_t mode = 0644) {
    struct stat status {};
    status.st_size = size;
    status.st_mtim.tv_sec = seconds;
    status.st_mtim.tv_nsec = nanoseconds;
    status.st_mode = S_IFREG | mode;
    return status;
}

TEST(FileClass, ClassesBySizeTimeAndMode) {
    struct Case {
        struct stat destination;
        bool fat;
        FileClass expected;
    };
    const struct stat source = fileWith(100, 1000, 500);
    const std::vector<Case> cases = {
        {fileWith(100, 1000, 500), false, FileClass::Same},
        {fileWith(100, 1000, 400), false, FileClass::Newer}, // nanoseconds count
        {fileWith(100, 1000, 600), false, FileClass::Older},
        {fileWith(99, 1000, 500), false, FileClass::Changed},
        {fileWith(100, 1000, 500, 0600), false, FileClass::Tweaked},
        {fileWith(100, 999, 0), true, FileClass::Same}, // within two seconds on FAT
        {fileWith(100, 997, 0), true, FileClass::Newer},
        {fileWith(100, 1003, 0), true, FileClass::Older},
        {fileWith(7, 1001, 0), true, FileClass::Changed},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        robocopy::Options options;
        options.fatTimes = cases[i].fat;
        EXPECT_EQ(robocopy::classify(source, &cases[i].destination, options), cases[i].expected) << "case " << i;
    }
    EXPECT_EQ(robocopy::classify(source, nullptr, robocopy::Options{}), FileClass::New);
}

// The other classes and their switches are run end to end in EngineCopy.FileClassesAndTheirSwitches.
TEST(FileClass, TweakedFilesAreCopiedOnlyWithIncludeTweaked) {
    robocopy::Options options;
    EXPECT_FALSE(robocopy::isSelected(FileClass::Tweaked, options));
    options.includeTweaked = true;
    EXPECT_TRUE(robocopy::isSelected(FileClass::Tweaked, options));
}

TEST(Wildcard, MatchesLikeRobocopy) {
    struct Case {
        const char* pattern;
        const char* text;
        bool matches;
    };
    const Case cases[] = {
        {"*.tmp", "a.tmp", true},
        {"*.tmp", "A.TMP", true},
        {"*.tmp", "a.tmp.txt", false},
        {"~$*", "~$doc.docx", true},
        {"?.txt", "ab.txt", false},
        {"a*b*c", "aXXbYYbc", true},
        {"*", "", true},
        {"", "a", false},
        {"/home/*/build", "/home/anna/build", true},
        {"**x", "yyy", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(robocopy::wildcardMatch(c.pattern, c.text), c.matches) << c.pattern << " " << c.text;
    }
}

TEST(Text, Utf16KeepsNamesAndReplacesBrokenBytes) {
    EXPECT_EQ(robocopy::utf8ToUtf16le("A\xC3\xBC"), std::string("A\0\xFC\0", 4));
    EXPECT_EQ(robocopy::utf8ToUtf16le("\xF0\x9F\x98\x80"), std::string("\x3D\xD8\x00\xDE", 4)); // surrogate pair
    EXPECT_EQ(robocopy::utf8ToUtf16le("\xC3"), std::string("\xFD\xFF", 2));                     // cut short
    EXPECT_EQ(robocopy::utf8ToUtf16le("\xC0\x80"), std::string("\xFD\xFF\xFD\xFF", 4));         // overlong
}

} // namespace
