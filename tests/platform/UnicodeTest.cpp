// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Unicode.h"

#include <string>

#include <gtest/gtest.h>

#include "platform/CodePage.h"

namespace talvex::platform {
namespace {

const std::string kFffd = "\xEF\xBF\xBD";

TEST(Unicode, ValidTextSurvivesEveryRoundTrip) {
    const std::string texts[] = {"", "plain", "M\xC3\xBCll \xE2\x82\xAC", "\xF0\x9F\x98\x80 emoji", "\xEF\xBB\xBFx"};
    for (const auto& text : texts) {
        EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text)), text);
        EXPECT_EQ(Utf16LeToUtf8(Utf8ToUtf16Le(text)), text);
        EXPECT_EQ(SanitizeUtf8(text), text);
        // Every text where the code page is UTF-8; in an ANSI code page those it holds.
        if (IsRepresentableInSystemCodePage(text)) {
            EXPECT_EQ(FromSystemCodePage(ToSystemCodePage(text)), text);
        }
    }
    EXPECT_EQ(Utf8ToUtf16Le("A\xC3\xBC"), std::string("A\0\xFC\0", 4));
    EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98\x80"), std::u16string(u"\xD83D\xDE00"));
}

TEST(Unicode, IllFormedUtf8BecomesReplacementCharacters) {
    struct Case {
        std::string input;
        std::string expected;
    };
    const Case cases[] = {
        {"a\x80z", "a" + kFffd + "z"},                       // stray continuation byte
        {"\xC0\xAF", kFffd + kFffd},                         // overlong "/"
        {"\xE0\x80\xAF", kFffd + kFffd + kFffd},             // overlong three-byte form
        {"\xED\xA0\x80", kFffd + kFffd + kFffd},             // encoded surrogate
        {"\xF4\x90\x80\x80", kFffd + kFffd + kFffd + kFffd}, // beyond U+10FFFF
        {"\xE2\x82", kFffd},                                 // truncated at the end
        {"\xE2\x82z", kFffd + "z"},                          // truncated, next character kept
        {"\xFF\xFE", kFffd + kFffd},                         // never valid
        {std::string("a\0b", 3), std::string("a\0b", 3)},    // a zero byte is a character
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SanitizeUtf8(c.input), c.expected);
        EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(c.input)), c.expected);
        EXPECT_EQ(IsRepresentableInSystemCodePage(c.input), c.input == c.expected);
    }
}

TEST(Unicode, BrokenUtf16BecomesReplacementCharacters) {
    EXPECT_EQ(Utf16ToUtf8(u"a\xD800z"), "a" + kFffd + "z"); // lone high surrogate
    EXPECT_EQ(Utf16ToUtf8(u"a\xDC00"), "a" + kFffd);        // lone low surrogate
    EXPECT_EQ(Utf16ToUtf8(u"\xD800\xD800\xDC00"), kFffd + "\xF0\x90\x80\x80");
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xD83D')), kFffd);   // high surrogate at the very end
    EXPECT_EQ(Utf16LeToUtf8(std::string("A\0B", 3)), "A" + kFffd); // odd byte count
}

TEST(Unicode, ValidityCheckAgreesWithSanitizingPastTheAsciiFastPath) {
    // The check skips ASCII eight bytes at a time; faults right after such a block must still count.
    const std::string cases[] = {
        "abcdefghijklmnop",
        "abcdefgh\xC3\xBC",
        "abcdefgh\xC3",
        "abcdefgh\xFF",
        "abcdefgh" + kFffd,
        "\xED\xA0\x80"
        "abcdefgh",
        "abcdefg\xF0\x9F\x98\x80",
        "",
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsValidUtf8(c), SanitizeUtf8(c) == c) << c;
        std::string appended = "x";
        AppendValidUtf8(appended, c);
        EXPECT_EQ(appended, "x" + SanitizeUtf8(c));
    }
}

TEST(Unicode, NeedsUnicodeOnlyOutsideAscii) {
    EXPECT_FALSE(NeedsUnicode(R"(C:\Programme\x~1.rcj)"));
    EXPECT_TRUE(NeedsUnicode("M\xC3\xBCll"));
    EXPECT_TRUE(NeedsUnicode("\x80"));
}

} // namespace
} // namespace talvex::platform
