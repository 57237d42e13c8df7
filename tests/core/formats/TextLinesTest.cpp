// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/TextLines.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "fakes/FullDisk.h"
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
    ASSERT_TRUE(SaveTextLines(path, {"::", "", "      /SD:C:\\Bücher"}));
    EXPECT_EQ(fakes::TempFolder::Read(path), "::\r\n\r\n      /SD:C:\\B\xC3\xBC"
                                             "cher\r\n");

    const Result<LineList> loaded = LoadTextLines(path);
    ASSERT_TRUE(loaded) << loaded.reason();
    EXPECT_EQ(*loaded, (LineList{"::", "", "      /SD:C:\\Bücher"}));
}

// The reason is what the user reads, so it must name the file and the system's message.
TEST(TextLinesTest, FilesThatCannotBeReadOrWrittenSayWhichAndWhy) {
    fakes::TempFolder folder;
    fakes::TempFolder::Write(folder.file("full.rcj"), "old\r\n");
    fakes::FullDisk disk;
    const std::string noFolder = folder.file("missing") + "/job.rcj";
    const std::vector<std::pair<std::string, std::string>> failures = {
        {folder.file("missing.rcj"), LoadTextLines(folder.file("missing.rcj")).reason()},
        {folder.path().string(), LoadTextLines(folder.path().string()).reason()},
        {noFolder, SaveTextLines(noFolder, {"/MIR"}).reason()},
        {folder.file("full.rcj"), SaveTextLines(folder.file("full.rcj"), {"/MIR"}, disk).reason()},
    };
    for (const auto& [path, reason] : failures) {
        SCOPED_TRACE(path);
        EXPECT_TRUE(reason.starts_with(path + ": ")) << reason;
        EXPECT_GT(reason.size(), path.size() + 2);
    }
    EXPECT_NE(failures.back().second.find("Der Datenträger ist voll"), std::string::npos);
    EXPECT_EQ(fakes::TempFolder::Read(folder.file("full.rcj")), "old\r\n");
}

} // namespace
} // namespace talvex::formats
