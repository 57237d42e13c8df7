// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/output/RobocopyOutput.h"

#include <limits>

#include <gtest/gtest.h>

#include "core/output/ParseOutput.h"

namespace {

using talvex::output::Event;
using talvex::output::EventKind;
using talvex::output::RobocopyOutput;
using talvex::testing::Parse;

Event Only(std::string_view line) {
    const std::vector<Event> events = Parse(line);
    EXPECT_EQ(events.size(), 1u) << line;
    return events.empty() ? Event{} : events.front();
}

// Lines as robocopy writes them on Windows; each one is read into what a progress view needs.
TEST(RobocopyOutput, ReadsEachKindOfLine) {
    struct Case {
        const char* line;
        EventKind kind;
        const char* caption;
        const char* text;
        std::optional<std::uint64_t> size;
        std::optional<std::int64_t> count;
    };
    using K = EventKind;
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    const Case cases[] = {
        {"\t    New File  \t\t  992824\tthesis.odt\r\n", K::FileStarted, "New File", "thesis.odt", 992824, {}},
        {"\t    Newer     \t\t   5.0 m\tbig.iso", K::FileStarted, "Newer", "big.iso", 5242880, {}},
        {"\t    same      \t\t 1234567 2025/10/18 14:44:57\tC:\\a b\\c.txt",
         K::FileStarted,
         "same",
         "C:\\a b\\c.txt",
         1234567,
         {}},
        {"\t              \t\t\tbare", K::FileStarted, "", "bare", {}, {}},
        {"\t  *EXTRA File \t\t   16589\tC:\\dst\\old.txt", K::ExtraFile, "*EXTRA File", "C:\\dst\\old.txt", 16589, {}},
        {"\t  *EXTRA Dir        -1\tC:\\dst\\gone\\", K::ExtraDirectory, "*EXTRA Dir", "C:\\dst\\gone\\", {}, -1},
        {"\t  New Dir          2\tC:\\src\\sub\\", K::Directory, "New Dir", "C:\\src\\sub\\", {}, 2},
        {"\t                  12\t/home/anna/src/", K::Directory, "", "/home/anna/src/", {}, 12},
        {"2025/10/18 14:44:57 ERROR 5 (0x00000005) Accessing Source Directory C:\\src\\",
         K::Error,
         "Accessing Source Directory",
         "C:\\src\\",
         {},
         {}},
        {"ERROR 32 (0x00000020) Copying File \\\\server\\share\\x",
         K::Error,
         "Copying File",
         "\\\\server\\share\\x",
         {},
         {}},
        {"Waiting 30 seconds... Retrying...", K::RetryWaiting, "", "", {}, 30},
        {"ERROR: RETRY LIMIT EXCEEDED.", K::RetryLimitExceeded, "", "", {}, {}},
        {"  Started : Saturday, October 18, 2025 2:44:57 PM",
         K::HeaderField,
         "Started",
         "Saturday, October 18, 2025 2:44:57 PM",
         {},
         {}},
        {"    Files : *.*", K::HeaderField, "Files", "*.*", {}, {}},
        {"   Speed :           1,234,567 Bytes/sec.", K::Speed, "Bytes/sec.", "1,234,567", {}, {}},
        {"\t    *.bak", K::Other, "", "*.bak", {}, {}},
        {"ERROR 5 (0x0000000", K::Other, "", "ERROR 5 (0x0000000", {}, {}},
        {"\t  New File \t\t 12x\tname", K::FileStarted, "New File", "name", {}, {}},
        {"\t    Newer     \t\t    12.5 G\tdisk.img", K::FileStarted, "Newer", "disk.img", 13421772800, {}},
        {"\t    Older     \t\t  5368709120\tx", K::FileStarted, "Older", "x", 5368709120, {}},
        // A garbled scaled size once wrapped round to a small one.
        {"\t    New File  \t\t 99999999999 t\thuge", K::FileStarted, "New File", "huge", kMax, {}},
        {"\t*extra file  \t\t      10\told.txt", K::ExtraFile, "*extra file", "old.txt", 10, {}},
        // /NS leaves the count out; a path keeps its tabs.
        {"\t  New Dir  \t/dst/a\tb/", K::Directory, "New Dir", "/dst/a\tb/", {}, {}},
        {"\t x \t\t", K::Other, "", "x", {}, {}},
        {"150%", K::Other, "", "150%", {}, {}},
    };
    for (const Case& c : cases) {
        const Event event = Only(c.line);
        EXPECT_EQ(event.kind, c.kind) << c.line;
        EXPECT_EQ(event.caption, c.caption) << c.line;
        EXPECT_EQ(event.text, c.text) << c.line;
        EXPECT_EQ(event.size, c.size) << c.line;
        EXPECT_EQ(event.count, c.count) << c.line;
    }
    EXPECT_EQ(Only("2025/10/18 14:44:57 ERROR 112 (0x00000070) Copying File /x").code, 112u);
    EXPECT_EQ(Only("\t    same      \t\t       4 2025/10/18 14:44:57\tx").stamp, "2025/10/18 14:44:57");
}

TEST(RobocopyOutput, PercentagesOnTheFilesLineAndErrorMessages) {
    // A line fed whole, CRs and all, gives the file and then each figure.
    const std::vector<Event> events = Parse("\t    New File  \t\t   5.0 m\tbig\r  0%  \r 45.5%  \r100%  \r\n"
                                            "ERROR 5 (0x00000005) Copying File C:\\big\r\nAccess is denied.\r\r\n\r\n"
                                            "Not a message");
    ASSERT_EQ(events.size(), 7u);
    EXPECT_EQ(events[0].kind, EventKind::FileStarted);
    EXPECT_EQ(events[1].percent, 0.0);
    EXPECT_EQ(events[2].percent, 45.5);
    EXPECT_EQ(events[3].percent, 100.0);
    EXPECT_EQ(events[5].kind, EventKind::ErrorMessage);
    EXPECT_EQ(events[5].text, "Access is denied.");
    EXPECT_EQ(events[6].kind, EventKind::Other) << "only the line right after an error is its message";

    for (const char* notFigure : {"%", "101%", "7% done", "x7%", "-5%", "1e2%"}) {
        EXPECT_FALSE(talvex::output::ParsePercentage(notFigure)) << notFigure;
    }
    EXPECT_EQ(talvex::output::ParsePercentage(" 12%  ETA 0:00:05"), 12.0);
    EXPECT_EQ(talvex::output::ParsePercentage("  4.5%"), 4.5);
}

TEST(RobocopyOutput, ReadsTheSummaryTable) {
    const std::vector<Event> events = Parse("               Total    Copied   Skipped  Mismatch    FAILED    Extras\n"
                                            "    Dirs :         2         1         1         0         0         1\n"
                                            "   Bytes :    5.04 m    2.114 g   16.2 k         0        17       1023\n"
                                            "   Times :   0:00:05   0:00:03                       0:00:00   0:00:01\n");
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[1].values, (std::vector<std::uint64_t>{2, 1, 1, 0, 0, 1}));
    EXPECT_EQ(events[2].cells[0], "5.04 m");
    EXPECT_EQ(events[2].values, (std::vector<std::uint64_t>{5284823, 2269890216, 16589, 0, 17, 1023}));
    EXPECT_EQ(events[3].cells, (std::vector<std::string>{"0:00:05", "0:00:03", "0:00:00", "0:00:01"}));
}

TEST(RobocopyOutput, OddBytesNeverStopTheReader) {
    RobocopyOutput parser;
    std::string noise;
    for (int i = 0; i < 4096; ++i) {
        noise.push_back(static_cast<char>((i * 7919) % 256));
        if (i % 37 == 0) {
            parser.feedLine(noise);
            noise = "\t" + noise.substr(noise.size() / 2);
        }
    }
    for (const char* line : {"\t", "\t\t\t\t\t", "ERROR ", "ERROR 1 (0x1) ", " : ", "   Bytes : 1 k k k k k k",
                             "   Speed : ", "2025/10/18 14:44:57 ERROR x", "Waiting  seconds... Retrying..."}) {
        parser.feedLine(line);
    }
    EXPECT_FALSE(parser.takeEvents().empty());
}

} // namespace
