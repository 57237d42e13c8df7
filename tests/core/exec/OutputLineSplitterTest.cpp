// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exec/OutputLineSplitter.h"

#include <gtest/gtest.h>

#include "fakes/RecordingLogSink.h"
#include "platform/Unicode.h"

namespace talvex::exec {
namespace {

using Lines = std::vector<std::string>;
using platform::Utf8ToUtf16Le;

// Feeds the stream in pieces of `piece` bytes (0: in one piece) and returns the lines logged.
Lines Split(OutputEncoding encoding, std::string_view stream, std::size_t piece = 0) {
    fakes::RecordingLogSink log;
    OutputLineSplitter splitter(encoding, log);
    if (piece == 0) {
        piece = stream.size() + 1;
    }
    for (std::size_t at = 0; at < stream.size(); at += piece) {
        const std::string_view part = stream.substr(at, piece);
        splitter.feed(std::span<const char>(part.data(), part.size()));
    }
    splitter.finish();
    for (const auto& line : log.lines()) {
        EXPECT_EQ(line.colour, LogColour::Black) << line.text;
    }
    return log.texts();
}

// Where a read ends is up to the pipe, so every way of cutting the stream must give the same lines.
void ExpectLinesForEveryCut(OutputEncoding encoding, std::string_view stream, const Lines& expected) {
    EXPECT_EQ(Split(encoding, stream), expected) << "in one piece";
    for (std::size_t piece = 1; piece <= stream.size(); ++piece) {
        EXPECT_EQ(Split(encoding, stream, piece), expected) << "pieces of " << piece;
    }
}

struct Case {
    const char* name;
    std::string_view text;
    Lines lines;
};

// The same rules hold for 8-bit output and for UTF-16 code units.
const Case kLineRules[] = {
    {"CR LF ends one line, the unfinished rest follows at the end", "a\r\nb", {"a", "b"}},
    {"progress figures with bare CR", "50%\r100%\r\n", {"50%", "100%"}},
    {"zeros are dropped, the line stays whole", std::string_view("ab\0\0c\n\0", 7), {"abc"}},
    {"only zeros give nothing", std::string_view("\0\0", 2), {}},
    {"CR CR LF gives the line and an empty one", "a\r\r\nb\n", {"a", "", "b"}},
    {"LF LF gives an empty line", "a\n\nb\n", {"a", "", "b"}},
    {"LF CR are two line ends", "a\n\rb", {"a", "", "b"}},
    {"a lone line end", "\r\n", {""}},
    {"nothing at all", "", {}},
    {"text in other scripts", "Müll € 日本 \U0001F600\r\n", {"Müll € 日本 \U0001F600"}},
};

TEST(OutputLineSplitter, BothEncodingsFollowTheLineRulesWhereverReadsEnd) {
    for (const auto& c : kLineRules) {
        SCOPED_TRACE(c.name);
        ExpectLinesForEveryCut(OutputEncoding::CodePage, c.text, c.lines);
        ExpectLinesForEveryCut(OutputEncoding::Utf16Le, Utf8ToUtf16Le(c.text), c.lines);
    }
}

TEST(OutputLineSplitter, InvalidInputIsReplacedNotPassedOn) {
    struct Bad {
        OutputEncoding encoding;
        std::string stream;
        Lines lines;
    };
    const Bad cases[] = {
        {OutputEncoding::CodePage, "caf\xE9\n", {"caf\uFFFD"}},
        {OutputEncoding::CodePage, "\xC3\n\xBC\n", {"\uFFFD", "\uFFFD"}},
        {OutputEncoding::CodePage, "\xED\xA0\x80!\n", {"\uFFFD\uFFFD\uFFFD!"}},
        {OutputEncoding::CodePage, "\xC0\xAF\xF5\x80\n", {"\uFFFD\uFFFD\uFFFD\uFFFD"}},
        {OutputEncoding::Utf16Le, Utf8ToUtf16Le("a") + std::string("\x00\xD8", 2) + Utf8ToUtf16Le("b\n"), {"a\uFFFDb"}},
        // A last odd byte can never become a character.
        {OutputEncoding::Utf16Le, Utf8ToUtf16Le("ok\r\na") + "b", {"ok", "a\uFFFD"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Split(c.encoding, c.stream), c.lines) << c.stream;
    }
    // Long lines are scanned in blocks; a bad byte anywhere in them, also right before the line
    // end or after a zero, must still be caught wherever the reads end.
    const std::string ascii = "0123456789abcdefghijklmnopqrstuvwxyz";
    const std::string bad = "\xE9";
    const std::string replaced = "\uFFFD";
    ExpectLinesForEveryCut(OutputEncoding::CodePage,
                           ascii + bad + ascii + "\r\n" + ascii.substr(0, 15) + bad + "\n" + ascii + "\0" + bad + "\n" +
                               ascii + "\n",
                           {ascii + replaced + ascii, ascii.substr(0, 15) + replaced, ascii + replaced, ascii});
}

TEST(OutputLineSplitter, LongBurstsAcrossManyReadsStayWhole) {
    const std::string longLine(5000, 'x');
    std::string stream;
    Lines expected;
    for (int i = 0; i < 50; ++i) {
        stream += "line " + std::to_string(i) + "\r\n";
        expected.push_back("line " + std::to_string(i));
    }
    stream += longLine + "\r\n";
    expected.push_back(longLine);
    for (const std::size_t piece : {1024u, 1023u, 4096u}) {
        EXPECT_EQ(Split(OutputEncoding::CodePage, stream, piece), expected) << piece;
    }
}

} // namespace
} // namespace talvex::exec
