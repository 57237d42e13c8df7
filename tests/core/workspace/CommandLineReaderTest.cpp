// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/workspace/CommandLineReader.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/formats/CommandLineBuilder.h"
#include "core/formats/FurtherOptions.h"
#include "core/formats/TextLines.h"
#include "core/options/JobState.h"
#include "fakes/FakeFormatServices.h"
#include "fakes/FakeJobEnvironment.h"
#include "fakes/RecordingLogSink.h"

namespace talvex::workspace {
namespace {

using C = options::Control;

class ParseCommandLineTest : public ::testing::Test {
protected:
    Status parse(std::string_view line, PathStyle style = PathStyle::Windows) {
        return ParseCommandLine(job, line, true, log, services, style);
    }

    fakes::FakeJobEnvironment environment;
    options::JobState job{environment};
    fakes::RecordingLogSink log;
    fakes::FakeFormatServices services;
};

TEST_F(ParseCommandLineTest, HandTypedExampleWithUnquotedFolders) {
    const Result<formats::LineList> file =
        formats::LoadTextLines(std::string(TALVEX_TEST_DATA) + "/workspace/typed-by-hand-command.cmd");
    ASSERT_TRUE(file) << file.reason();
    ASSERT_TRUE(parse(file->back()));
    EXPECT_EQ(job.sourcePath(), R"(C:\Daten)");
    EXPECT_EQ(job.destinationPath(), R"(D:\Backup\Daten)");
    EXPECT_FALSE(job.isTicked(C::chb_PNoSD));
    EXPECT_FALSE(job.isTicked(C::chb_PNoDD));
    EXPECT_TRUE(job.IsOptionSet(C::chb_KMIR));
    EXPECT_EQ(job.nameListText(), "/XF\n*.tmp\n*.bak\n\n/XD\nC:\\Daten\\Alte Sachen\n\n");
    EXPECT_TRUE(job.isTicked(C::chb_FXF));
    EXPECT_TRUE(job.isTicked(C::chb_FXD));
    EXPECT_EQ(job.text(C::edt_KR), "2");
    EXPECT_EQ(job.text(C::edt_KW), "5");
    EXPECT_EQ(job.text(C::edt_LLOG), R"(C:\my logs\daten.log)");
    EXPECT_TRUE(job.IsOptionSet(C::chb_LLOG));
    EXPECT_TRUE(job.IsOptionSet(C::chb_LTEE));
    EXPECT_TRUE(job.IsOptionSet(C::chb_LNP));
    EXPECT_TRUE(log.contains("Quelle: C:\\Daten", LogColour::Blue));
    EXPECT_TRUE(log.contains("Einstellungen zurückgesetzt.", LogColour::Red));
}

// A quoted log file before the folders must not become the source.
TEST_F(ParseCommandLineTest, QuotedSwitchValueIsNoFolder) {
    ASSERT_TRUE(parse(R"(robocopy /LOG:"C:\my log.txt" C:\src "D:\d st" /MIR)"));
    EXPECT_EQ(job.sourcePath(), R"(C:\src)");
    EXPECT_EQ(job.destinationPath(), R"(D:\d st)");
    EXPECT_EQ(job.text(C::edt_LLOG), R"(C:\my log.txt)");
}

// Robocopy copies only the named files when plain arguments follow the two folders.
TEST_F(ParseCommandLineTest, FileNamesAfterTheFoldersBecomeIncludedFiles) {
    ASSERT_TRUE(parse(R"(robocopy C:\a D:\b report.pdf "my notes.txt" /MIR /XF *.tmp 1>> x.log 2>&1)"));
    EXPECT_TRUE(job.IsOptionSet(C::chb_FIF));
    EXPECT_TRUE(job.IsOptionSet(C::chb_KMIR));
    EXPECT_EQ(job.nameListText(), "/IF\nreport.pdf\nmy notes.txt\n\n/XF\n*.tmp\n\n");
    EXPECT_TRUE(log.contains("Umleitung wird nicht übernommen: 2>&1", LogColour::Red));
}

// Quoted folders ending in a backslash, as earlier programs and people write them, keep their
// place; no folder ever holds a quote.
TEST_F(ParseCommandLineTest, QuotedFoldersReadQuoteToQuote) {
    struct Case {
        std::string line;
        std::string source;
        std::string destination;
        bool ambiguous;
    };
    const std::vector<Case> cases = {
        {R"(Robocopy "E:\" "F:\Sicherung" /MIR)", R"(E:\)", R"(F:\Sicherung)", true},
        {R"(robocopy "C:\a b\" "D:\x"/MIR)", R"(C:\a b)", R"(D:\x)", true},
        {R"(robocopy "C:\x\\" "\\nas\share\\" /MIR)", R"(C:\x)", R"(\\nas\share\)", false},
        {R"(robocopy "C:\a "D:\b /MIR)", R"(C:\a D:\b)", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        log.clear();
        ASSERT_TRUE(parse(c.line));
        EXPECT_EQ(job.sourcePath(), c.source);
        EXPECT_EQ(job.destinationPath(), c.destination);
        EXPECT_TRUE(job.IsOptionSet(C::chb_KMIR));
        EXPECT_EQ(log.contains("Mehrdeutige Zeile, \\\" als Ende eines Ordners gelesen: " + c.line, LogColour::Red),
                  c.ambiguous);
    }
}

struct SwitchCase {
    const char* name;
    const char* switches;
    std::vector<C> ticked;
    std::vector<std::pair<C, std::string>> texts;
    std::vector<C> unticked = {};
};

class SwitchTest : public ParseCommandLineTest, public ::testing::WithParamInterface<SwitchCase> {};

TEST_P(SwitchTest, AppliesSwitchAndValue) {
    ASSERT_TRUE(parse(std::string(R"(Robocopy "C:\a" "D:\b" )") + GetParam().switches));
    for (const C box : GetParam().ticked) {
        EXPECT_TRUE(job.isTicked(box)) << options::ControlName(box);
    }
    for (const auto& [field, text] : GetParam().texts) {
        EXPECT_EQ(job.text(field), text) << options::ControlName(field);
    }
    for (const C box : GetParam().unticked) {
        EXPECT_FALSE(job.isTicked(box)) << options::ControlName(box);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Switches, SwitchTest,
    ::testing::Values(
        SwitchCase{"LowerCaseRetry", "/r:5", {C::chb_KR}, {{C::edt_KR, "5"}}},
        SwitchCase{"AttributeLetters", "/A+:rh", {C::chb_KAplus, C::chb_KAplusR, C::chb_KAplusH}, {}},
        SwitchCase{"RunHours", "/RH:0800-1700", {C::chb_MRH}, {{C::edt_MRH1, "0800"}, {C::edt_MRH2, "1700"}}},
        SwitchCase{"RunHoursOfWrongLength", "/RH:800-1700 /S", {C::chb_KS}, {}, {C::chb_MRH}},
        SwitchCase{"CopyLetters", "/COPY:DAT", {C::chb_KCopy, C::chb_KCopyD, C::chb_KCopyA, C::chb_KCopyT}, {}},
        SwitchCase{"DirectoryTimestamps", "/DCOPY:T /S", {C::chb_KDCOPY, C::chb_KS}, {}},
        SwitchCase{"UnquotedLogThenSwitch", "/LOG:x.txt /S", {C::chb_LLOG, C::chb_KS}, {{C::edt_LLOG, "x.txt"}}},
        SwitchCase{"NamesThenSwitch",
                   "/XF *.tmp *.bak /S",
                   {C::chb_FXF, C::chb_KS},
                   {{C::red_FListe, "/XF\n*.tmp\n*.bak\n\n"}}},
        SwitchCase{"QuotedNameWithBlank",
                   R"(/XD "C:\Daten\Alte Sachen" tmp /E)",
                   {C::chb_FXD, C::chb_KE},
                   {{C::red_FListe, "/XD\nC:\\Daten\\Alte Sachen\ntmp\n\n"}}},
        // An empty name would end the block in the name list early.
        SwitchCase{
            "EmptyAndBlankNames", R"(/XF "" " a " "  " /S)", {C::chb_FXF, C::chb_KS}, {{C::red_FListe, "/XF\na\n\n"}}}),
    [](const auto& param) { return std::string(param.param.name); });

// Further options cannot hold a quote; kept without it, "/XF\"" came back as a name list and
// "/PURGE\"" as a switch that deletes.
TEST_F(ParseCommandLineTest, EscapedQuoteInUnknownSwitchIsNotKept) {
    for (const PathStyle style : {PathStyle::Windows, PathStyle::Posix}) {
        ASSERT_TRUE(parse(R"(robocopy C:\a D:\b /XF\" /PURGE\" /ZZZ)", style));
        EXPECT_EQ(job.text(C::edt_KWeitere), "/ZZZ");
        EXPECT_TRUE(job.nameListText().empty());
        EXPECT_TRUE(log.contains(R"(Option mit Anführungszeichen wird nicht übernommen: /PURGE")", LogColour::Red));
    }
}

// The kept text has no escapes: a doubled backslash there was doubled again on the line, and the
// odd run then escaped the closing quote and swallowed the switches after it.
TEST_F(ParseCommandLineTest, UnknownSwitchKeepsTrailingBackslashOnce) {
    ASSERT_TRUE(parse(R"(robocopy C:\a D:\b "/ZZZ:a b\\" /R:2)"));
    EXPECT_EQ(formats::FurtherOptionWords(job.text(C::edt_KWeitere)), std::vector<std::string>{R"(/ZZZ:a b\)"});
    formats::LineList built;
    ASSERT_TRUE(formats::BuildCommandLine(job, built, log, services));
    EXPECT_NE(built[1].find(R"( /ZZZ:"a b\\")"), std::string::npos) << built[1];
}

// On POSIX absolute names start with "/": only a known switch ends a name list.
TEST_F(ParseCommandLineTest, PosixNameListEndsAtKnownSwitchOnly) {
    ASSERT_TRUE(
        parse("robocopy /home /media/b /XD node_modules /tmp/cache /J /XF a /MT:8 /R:2 /ZZZ", PathStyle::Posix));
    EXPECT_EQ(job.sourcePath(), "/home");
    EXPECT_EQ(job.destinationPath(), "/media/b");
    EXPECT_EQ(job.nameListText(), "/XD\nnode_modules\n/tmp/cache\n\n/XF\na\n\n");
    EXPECT_EQ(job.text(C::edt_KMT), "8");
    EXPECT_EQ(job.text(C::edt_KWeitere), "/J /ZZZ");
    EXPECT_EQ(job.text(C::edt_KR), "2");
    EXPECT_TRUE(log.contains("Option ohne eigenes Feld, unter Weitere Optionen behalten: /ZZZ", LogColour::Red));
}

TEST_F(ParseCommandLineTest, ShortNameFolderComesBackLong) {
    services.longPaths[R"(C:\PROGRA~1)"] = R"(C:\Program Files)";
    ASSERT_TRUE(parse(R"(robocopy C:\PROGRA~1 D:\b)"));
    EXPECT_EQ(job.sourcePath(), R"(C:\Program Files)");
}

TEST_F(ParseCommandLineTest, FailingConversionFailsWithTheReason) {
    services.failPathConversion = true;
    EXPECT_EQ(parse(R"(robocopy C:\PROGRA~1 D:\b)").reason(), "Unerwarteter Fehler: path conversion failed");
}

TEST(BatchPercent, LiteralPercentDoubledVariablesKept) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {R"(C:\100%\a%b)", R"(C:\100%%\a%%b)"},
        {"%%%", "%%%%%%"},
        {R"(robocopy "%1" "%2" /MIR)", R"(robocopy "%1" "%2" /MIR)"},
        {R"("%~dp0Daten" "%*")", R"("%~dp0Daten" "%*")"},
        {R"(/LOG:"%3.%date%.log" "%Temp%\x" 50% %date:~10,4%-%PATH:a=b%)",
         R"(/LOG:"%3.%date%.log" "%Temp%\x" 50%% %date:~10,4%-%PATH:a=b%)"},
        {"%~", "%%~"},
        {"%NAME", "%%NAME"},
        {"%a%%b% x%%a%", "%a%%b% x%%%a%"}, // two references side by side, a percent before one
    };
    for (const auto& [typed, written] : cases) {
        SCOPED_TRACE(typed);
        EXPECT_EQ(EscapeBatchPercent(typed), written);
        EXPECT_EQ(UnescapeBatchPercent(written), typed);
    }
    // Lines written before the escaping keep their single "%".
    EXPECT_EQ(UnescapeBatchPercent("50% %"), "50% %");
}

} // namespace
} // namespace talvex::workspace
