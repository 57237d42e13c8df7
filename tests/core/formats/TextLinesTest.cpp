// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/TextLines.h"

#include <string>

#include <gtest/gtest.h>

#include "fakes/TempFolder.h"

namespace talvex::formats {
namespace {

TEST(TextLinesTest, DecodesEncodingsAndEveryLineEnd) {
    using namespace std::string_literals;
    struct Case {
        std::string name;
        std::string bytes;
        LineList lines;
    };
    const std::vector<Case> cases = {
        {"empty file", "", {}},
        {"CR LF", "a\r\nb\r\n", {"a", "b"}},
        {"LF", "a\nb\n", {"a", "b"}},
        {"lone CR", "a\rb\r", {"a", "b"}},
        {"mixed, last line open", "a\r\n\nb\rc", {"a", "", "b", "c"}},
        {"CR CR LF is two line ends", "a\r\r\nb", {"a", "", "b"}},
        {"empty lines kept", "\r\n\r\n", {"", ""}},
        {"UTF-8 mark dropped",
         "\xEF\xBB\xBF/SD:C:\\B\xC3\xBC"
         "cher\r\n",
         {"/SD:C:\\Bücher"}},
        {"UTF-16LE mark", "\xFF\xFE/\0S\0D\0:\0\xFC\0\r\0\n\0x\0"s, {"/SD:ü", "x"}},
        {"UTF-16LE odd last byte", "\xFF\xFEx\0y"s, {"x\xEF\xBF\xBD"}},
        {"NUL bytes stay in the line", "a\0b\r\n"s, {"a\0b"s}},
        // Without a mark the system code page decides (UTF-8 here); a file that is no UTF-8 comes
        // from Windows and keeps its umlauts.
        {"Windows-1252 file",
         "/SD:C:\\B\xFC"
         "cher \x80\x81\x9F\xFF\r\n",
         {"/SD:C:\\Bücher €\xC2\x81Ÿÿ"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DecodeTextLines(c.bytes), c.lines);
    }
}

TEST(TextLinesTest, SavedFilesEndEveryLineWithCrLfAndHaveNoMark) {
    fakes::TempFolder folder;
    const std::string path = folder.file("job.rcj");
    ASSERT_FALSE(SaveTextLines(path, {"::", "", "      /SD:C:\\Bücher"}).has_value());
    EXPECT_EQ(fakes::TempFolder::Read(path), "::\r\n\r\n      /SD:C:\\B\xC3\xBC"
                                             "cher\r\n");

    const TextLinesResult loaded = LoadTextLines(path);
    ASSERT_FALSE(loaded.error.has_value());
    EXPECT_EQ(loaded.lines, (LineList{"::", "", "      /SD:C:\\Bücher"}));
}

TEST(TextLinesTest, UnreadableFilesSayWhichAndWhy) {
    fakes::TempFolder folder;
    for (const std::string& path : {folder.file("missing.rcj"), folder.path().string()}) {
        SCOPED_TRACE(path);
        const TextLinesResult loaded = LoadTextLines(path);
        ASSERT_TRUE(loaded.error.has_value());
        EXPECT_EQ(loaded.error->path, path);
        EXPECT_FALSE(loaded.error->reason.empty());
        EXPECT_TRUE(loaded.lines.empty());
    }
}

} // namespace
} // namespace talvex::formats
