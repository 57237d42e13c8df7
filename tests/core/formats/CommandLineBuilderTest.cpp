// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/CommandLineBuilder.h"

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/formats/FormatsTestSupport.h"
#include "core/formats/Text.h"
#include "fakes/FakeFormatServices.h"
#include "fakes/FakeJobEnvironment.h"
#include "fakes/RecordingLogSink.h"
#include "platform/Unicode.h"
#include "platform/WindowsCommandLine.h"

namespace talvex::formats {
namespace {

using options::Control;
using C = options::Control;

class CommandLineBuilderTest : public testing::FormatsFixture {
protected:
    std::string build() {
        LineList lines{"old"};
        EXPECT_TRUE(BuildCommandLine(job, lines, log, services));
        EXPECT_EQ(lines.size(), 2U);
        return lines.size() == 2 ? lines[1] : std::string();
    }
    std::string buildW() {
        WideLineList lines{u"old"};
        EXPECT_TRUE(BuildCommandLineW(job, lines, services));
        EXPECT_EQ(lines.size(), 2U);
        return lines.size() == 2 ? platform::Utf16ToUtf8(lines[1]) : std::string();
    }
};

TEST_F(CommandLineBuilderTest, DocumentedExampleAndItsLog) {
    job.applySourceFolder("C:\\Quelle", "NTFS");
    job.applyDestinationFolder("D:\\Ziel", "NTFS");
    job.setTicked(C::chb_KMIR, true);
    value(C::chb_KR, C::edt_KR, "3 ");

    LineList lines;
    ASSERT_TRUE(BuildCommandLine(job, lines, log, services));
    const LineList expected = {"REM Erstellt mit Brenno's Talvex Version 1.0 am 05.12.2026 um 13:10:38",
                               R"(Robocopy "C:\Quelle" "D:\Ziel" /MIR /R:3)"};
    EXPECT_EQ(lines, expected);
    using Line = fakes::RecordingLogSink::Line;
    EXPECT_EQ(log.lines(), (std::vector<Line>{{"Job erstellen...", LogColour::Green},
                                              {"", LogColour::Black},
                                              {expected[0], LogColour::Navy},
                                              {expected[1], LogColour::Navy},
                                              {"", LogColour::Black}}));

    WideLineList wide;
    ASSERT_TRUE(BuildCommandLineW(job, wide, services));
    ASSERT_EQ(wide.size(), 2U);
    EXPECT_EQ(platform::Utf16ToUtf8(wide[0]), expected[0]);
    EXPECT_EQ(platform::Utf16ToUtf8(wide[1]), expected[1]);
}

TEST_F(CommandLineBuilderTest, SwitchesComeInTheirFixedOrder) {
    // Ticked in an order unlike the line's, across every group (letters after their box).
    value(C::chb_MRH, C::edt_MRH1, "2200");
    job.setText(C::edt_MRH2, "0600");
    value(C::chb_MIPG, C::edt_MIPG, "100");
    value(C::chb_LUNILOGPlus, C::edt_LLOG, "C:\\Logs\\x.log");
    value(C::chb_FMIN, C::edt_FMIN, "1");
    value(C::chb_FMAX, C::edt_FMAX, "9");
    value(C::chb_KW, C::edt_KW, "5");
    value(C::chb_KR, C::edt_KR, "2");
    value(C::chb_KLEV, C::edt_KLEV, "3");
    job.setNameListText("/XF\n*.tmp\n\n");
    for (const Control box :
         {C::chb_MPF,    C::chb_LTBD,    C::chb_LTEE,     C::chb_LUNICODE, C::chb_LNP,   C::chb_LV,
          C::chb_FXO,    C::chb_FXA,     C::chb_FXAh,     C::chb_FXJ,      C::chb_FIA,   C::chb_FIAo,
          C::chb_FIAr,   C::chb_FIS,     C::chb_KFFT,     C::chb_KDCOPY,   C::chb_KCopy, C::chb_KCopyT,
          C::chb_KCopyD, C::chb_KCREATE, C::chb_KAplus,   C::chb_KAplusA,  C::chb_KZB,   C::chb_KB,
          C::chb_KMOV,   C::chb_KAminus, C::chb_KAminusH, C::chb_KAminusR, C::chb_KZ,    C::chb_KS}) {
        job.setTicked(box, true);
    }
    EXPECT_EQ(build(), "Robocopy /S /Z /A-:RH /MOV /B /ZB /A+:A /CREATE /COPY:DT /DCOPY:T /FFT /LEV:3 /R:2 /W:5 /IS "
                       "/IA:RO /XJ /XA:H /XO /MAX:9 /MIN:1 /XF *.tmp /V /NP /UNILOG+:\"C:\\Logs\\x.log\" /UNICODE "
                       "/TEE /TBD /IPG:100 /PF /RH:2200-0600");
}

TEST_F(CommandLineBuilderTest, ValuesDecideWhetherASwitchIsWritten) {
    struct Case {
        std::string name;
        std::function<void(options::JobState&)> set;
        std::string line;
    };
    const std::vector<Case> cases = {
        {"letters in fixed order",
         [](auto& j) {
             j.setTicked(C::chb_KAminus, true);
             j.setTicked(C::chb_KAminusH, true);
             j.setTicked(C::chb_KAminusR, true);
         },
         "Robocopy /A-:RH"},
        {"no letter, no switch", [](auto& j) { j.setTicked(C::chb_KAminus, true); }, "Robocopy"},
        {"blank retry count", [](auto& j) { testing::SetValue(j, C::chb_KR, C::edt_KR, "  "); }, "Robocopy"},
        {"trimmed retry count", [](auto& j) { testing::SetValue(j, C::chb_KR, C::edt_KR, " 5 "); }, "Robocopy /R:5"},
        {"not validated", [](auto& j) { testing::SetValue(j, C::chb_KW, C::edt_KW, "abc"); }, "Robocopy /W:abc"},
        {"level untrimmed", [](auto& j) { testing::SetValue(j, C::chb_KLEV, C::edt_KLEV, " 2"); }, "Robocopy /LEV: 2"},
        {"start time only", [](auto& j) { testing::SetValue(j, C::chb_MRH, C::edt_MRH1, "0800"); }, "Robocopy"},
        {"log file without a name", [](auto& j) { j.setTicked(C::chb_LLOG, true); }, "Robocopy"},
        {"log file with blanks", [](auto& j) { testing::SetValue(j, C::chb_LLOG, C::edt_LLOG, "C:\\my logs\\a.log"); },
         "Robocopy /LOG:\"C:\\my logs\\a.log\""},
        // A field written before it was left still has its separator; it would escape the quote.
        {"log file ending in a separator",
         [](auto& j) { testing::SetValue(j, C::chb_LLOG, C::edt_LLOG, "C:\\Logs\\"); }, "Robocopy /LOG:\"C:\\Logs\""},
        {"ticked but disabled",
         [](auto& j) {
             j.setTicked(C::chb_KE, true);
             j.setTicked(C::chb_KMIR, true);
         },
         "Robocopy /MIR"},
        // Robocopy would read two names; quoting keeps one (and a trailing "\" out of the quotes).
        {"names with blanks quoted",
         [](auto& j) { j.setNameListText("/XD\nC:\\Alte Sachen\\\n\"D:\\schon zitiert\"\n.git\n\n/IF\n*.doc\n\n"); },
         "Robocopy /XD \"C:\\Alte Sachen\" \"D:\\schon zitiert\" .git /IF *.doc"},
        // A bare "/XD" would take the next argument for a folder to exclude.
        {"empty lists left out", [](auto& j) { j.setNameListText("/XD\n\n/XF\n*.tmp\n\n/IF\n\n"); },
         "Robocopy /XF *.tmp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Each case starts without options: the reset ticks /R and /W, which they do not want.
        ASSERT_TRUE(job.Reset());
        job.setTicked(C::chb_KR, false);
        job.setTicked(C::chb_KW, false);
        c.set(job);
        EXPECT_EQ(build(), c.line);
    }
}

TEST_F(CommandLineBuilderTest, FoldersInTheTwoVariants) {
    services.shortPaths["C:\\Bücher\\Neu"] = "C:\\BCHER~1\\Neu";
    job.applySourceFolder("C:\\Bücher\\Neu", "NTFS");
    job.setTicked(C::chb_KS, true);
    // The code-page line names the folder by its short name and leaves an empty destination out;
    // the Unicode line keeps the folder and gives the empty one as "". (The umlaut ticked /UNICODE.)
    EXPECT_EQ(build(), "Robocopy \"C:\\BCHER~1\\Neu\" /S /UNICODE");
    EXPECT_EQ(buildW(), "Robocopy \"C:\\Bücher\\Neu\" \"\" /S /UNICODE");

    // A trailing separator would escape the closing quote.
    job.setText(C::edt_PSD, "C:\\Daten\\");
    job.checkSourcePath("C:\\Daten\\");
    job.applyDestinationFolder("/media/x/", "ext4");
    EXPECT_EQ(build(), "Robocopy \"C:\\Daten\" \"/media/x\" /S /UNICODE");
    EXPECT_EQ(buildW(), "Robocopy \"C:\\Daten\" \"/media/x\" /S /UNICODE");
}

TEST_F(CommandLineBuilderTest, FailuresAreReportedAsFalse) {
    services.failPathConversion = true;
    job.applySourceFolder("C:\\Bücher", "NTFS");
    LineList lines;
    const Status built = BuildCommandLine(job, lines, log, services);
    EXPECT_FALSE(built);
    EXPECT_EQ(built.reason(), "Unerwarteter Fehler: path conversion failed");
}

TEST_F(CommandLineBuilderTest, TypedValuesNeverBecomeFurtherArguments) {
    // Whatever is typed into a field, robocopy must get exactly the switches the boxes say.
    struct Case {
        Control box;
        Control field;
        const char* typed;
        const char* expectedTail;
    };
    const Case cases[] = {
        {C::chb_KR, C::edt_KR, "5 /PURGE", R"( /R:"5 /PURGE")"},
        {C::chb_KLEV, C::edt_KLEV, "2\" /MOVE \"", R"( /LEV:"2 /MOVE ")"},
        {C::chb_FMAX, C::edt_FMAX, "1\\", " /MAX:1\\"},
        {C::chb_LLOG, C::edt_LLOG, R"(C:\a.log" /PURGE ")", R"( /LOG:"C:\a.log /PURGE ")"},
    };
    for (const Case& c : cases) {
        job.setTicked(c.box, false);
        value(c.box, c.field, c.typed);
        const std::string line = build();
        EXPECT_TRUE(line.ends_with(c.expectedTail)) << line;
        job.setTicked(c.box, false);
    }
}

// A root keeps its separator ("E:" alone is the current folder on drive E:, which /MIR would purge),
// doubled so that it does not escape the closing quote; the runner's splitter gives the root back.
TEST_F(CommandLineBuilderTest, RootsStayRootsAndDoNotEscapeTheirQuotes) {
    const std::vector<std::pair<std::string, std::string>> roots = {
        {"\\", R"("\\")"}, {"E:\\", R"("E:\\")"}, {"e:\\\\", R"("e:\\")"}, {R"(\\nas\fotos\)", R"("\\nas\fotos\\")"}};
    for (const auto& [folder, written] : roots) {
        SCOPED_TRACE(folder);
        job.applySourceFolder(NormaliseFolderPath(folder), "NTFS");
        job.applyDestinationFolder("D:\\Ziel", "NTFS");
        EXPECT_EQ(build(), "Robocopy " + written + R"( "D:\Ziel")");
        const std::vector<std::string> arguments = platform::SplitWindowsCommandLine(build());
        ASSERT_EQ(arguments.size(), 3u);
        EXPECT_EQ(arguments[1], NormaliseFolderPath(folder));
    }
}

} // namespace
} // namespace talvex::formats
