// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Text.h"

#include <gtest/gtest.h>

namespace {

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
        EXPECT_EQ(robocopy::WildcardMatch(c.pattern, c.text), c.matches) << c.pattern << " " << c.text;
    }
}

TEST(Text, Utf16KeepsNamesAndReplacesBrokenBytes) {
    EXPECT_EQ(robocopy::Utf8ToUtf16le("A\xC3\xBC"), std::string("A\0\xFC\0", 4));
    EXPECT_EQ(robocopy::Utf8ToUtf16le("\xF0\x9F\x98\x80"), std::string("\x3D\xD8\x00\xDE", 4)); // surrogate pair
    EXPECT_EQ(robocopy::Utf8ToUtf16le("\xC3"), std::string("\xFD\xFF", 2));                     // cut short
    EXPECT_EQ(robocopy::Utf8ToUtf16le("\xC0\x80"), std::string("\xFD\xFF\xFD\xFF", 4));         // overlong
}

} // namespace
