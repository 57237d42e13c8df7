// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Report.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>

#include <gtest/gtest.h>

#include "engine/CommandLine.h"
#include "engine/Header.h"
#include "engine/Locale.h"
#include "engine/WindowsError.h"

namespace {

using robocopy::Locale;

// Parsers read sizes in file lines as integers below one megabyte; the summary has its own precision.
TEST(ReportFigures, SizesAsRobocopyWritesThem) {
    struct Case {
        std::uint64_t bytes;
        const char* classLine;
        const char* summary;
    };
    const Case cases[] = {
        {0, "0", "0"},
        {1023, "1023", "1023"},
        {16589, "16589", "16.2 k"},
        {992824, "992824", "969.6 k"},
        {1048575, "1048575", "1024.0 k"},
        {1048576, "1.0 m", "1.00 m"},
        {103000000, "98.2 m", "98.23 m"},
        {2269943234ULL, "2.1 g", "2.114 g"},
        {1099511627776ULL, "1.0 t", "1.000 t"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(robocopy::ClassLineSize(c.bytes), c.classLine) << c.bytes;
        EXPECT_EQ(robocopy::SummarySize(c.bytes), c.summary) << c.bytes;
    }
}

TEST(ReportFigures, DatesAndNumbersFollowTheLocale) {
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    const std::time_t afternoon = 1760798697; // 2025-10-18 14:44:57 UTC
    const std::time_t morning = 1760746317;   // 2025-10-18 00:11:57 UTC
    EXPECT_EQ(robocopy::LongDate(afternoon, Locale{false}), "Saturday, October 18, 2025 2:44:57 PM");
    EXPECT_EQ(robocopy::LongDate(morning, Locale{false}), "Saturday, October 18, 2025 12:11:57 AM");
    EXPECT_EQ(robocopy::LongDate(afternoon, Locale{true}), "Samstag, 18. Oktober 2025 14:44:57");
    EXPECT_EQ(robocopy::GroupedNumber(1234567.8916, 3, Locale{false}), "1,234,567.892");
    EXPECT_EQ(robocopy::GroupedNumber(1234567.8916, 3, Locale{true}), "1.234.567,892");
    EXPECT_EQ(robocopy::GroupedNumber(999, 0, Locale{false}), "999");
    EXPECT_EQ(robocopy::GroupedNumber(100000, 0, Locale{false}), "100,000");
}

TEST(ReportErrors, WindowsNumbersWithTheSystemsReason) {
    struct Case {
        int errnoValue;
        bool folder;
        unsigned code;
        const char* start;
    };
    const Case cases[] = {
        {EACCES, false, 5, "Access is denied. (Permission denied)"},
        {EPERM, true, 5, "Access is denied. ("},
        {ENOENT, false, 2, "The system cannot find the file specified. ("},
        {ENOENT, true, 3, "The system cannot find the path specified. ("},
        {ENOSPC, false, 112, "There is not enough space on the disk. ("},
        {ETXTBSY, false, 32, "The process cannot access the file because it is being used by another process. ("},
        {EIO, false, 1117, "The request could not be performed because of an I/O device error. ("},
        {ENAMETOOLONG, false, 206, "The filename or extension is too long. ("},
        {EEXIST, false, 183, "Cannot create a file when that file already exists. ("},
        {EROFS, false, 19, "The media is write protected. ("},
        {EPROTO, false, static_cast<unsigned>(EPROTO), "Protocol error"}, // no counterpart: its own number
    };
    for (const Case& c : cases) {
        const robocopy::WindowsError error = robocopy::FromErrno(c.errnoValue, c.folder);
        EXPECT_EQ(error.code, c.code) << c.errnoValue;
        EXPECT_TRUE(error.message.starts_with(c.start)) << error.message;
    }
    const std::string lines =
        robocopy::ErrorLines(robocopy::FromErrno(EACCES, true), "Accessing Source Directory", "/s/");
    EXPECT_NE(lines.find(" ERROR 5 (0x00000005) Accessing Source Directory /s/\nAccess is denied."), std::string::npos);
    EXPECT_TRUE(lines.ends_with(")\n\n")) << "the message line is followed by a blank line";
}

// The options line lists what is in effect, in robocopy's order, not the switches as typed.
TEST(ReportHeader, OptionsLineInRobocopysOrder) {
    struct Case {
        std::vector<std::string> switches;
        const char* line;
    };
    const Case cases[] = {
        {{}, "*.* /DCOPY:DA /COPY:DAT /R:1000000 /W:30 "},
        {{"/MIR", "/NP", "/R:3", "/W:5"}, "*.* /S /E /DCOPY:DA /COPY:DAT /PURGE /MIR /NP /R:3 /W:5 "},
        {{"/W:5", "/XO", "/V", "*.txt", "/TS", "/L", "/E", "/COPY:DT", "/LOG:/tmp/x.log", "/FP", "/BYTES"},
         "*.txt /V /TS /FP /BYTES /L /S /E /DCOPY:DA /COPY:DT /XO /R:1000000 /W:5 "},
        {{"/DCOPY:t", "/COPYALL", "/MOVE", "/MAX:100", "/LEV:2"},
         "*.* /LEV:2 /DCOPY:T /COPY:DATSOU /MOVE /MAX:100 /R:1000000 /W:30 "},
        {{"/NOCOPY", "/PURGE", "/S"}, "*.* /S /DCOPY:DA /NOCOPY /PURGE /R:1000000 /W:30 "},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments = {"/src", "/dst"};
        arguments.insert(arguments.end(), c.switches.begin(), c.switches.end());
        const robocopy::ParseResult parsed =
            robocopy::ParseCommandLine(arguments, [](const std::string&) { return std::nullopt; });
        ASSERT_TRUE(parsed.error.empty()) << parsed.error;
        EXPECT_EQ(robocopy::OptionsLine(parsed.options), c.line);
    }
    EXPECT_EQ(robocopy::Banner().find("\n   ROBOCOPY     ::     Robust File Copy"), 80u);
    EXPECT_EQ(robocopy::Banner().size(), 1 + 3 * 80u) << "every banner line is 79 characters wide";
}

} // namespace
