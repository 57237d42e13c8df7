// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/JobFileReader.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/formats/FormatsTestSupport.h"
#include "core/formats/TextLines.h"
#include "fakes/FakeFormatServices.h"
#include "fakes/FakeJobEnvironment.h"
#include "fakes/RecordingLogSink.h"

namespace talvex::formats {
namespace {

using options::Control;
using C = options::Control;

class JobFileReaderTest : public testing::FormatsFixture {
protected:
    void read(const LineList& lines, PathStyle nameStyle = PathStyle::Windows, bool report = true) {
        ASSERT_TRUE(ReadJobFile(job, lines, report, log, services, nameStyle));
    }
    void readExample(const std::string& name, PathStyle nameStyle) {
        const Result<LineList> file = LoadTextLines(std::string(TALVEX_TEST_DATA) + "/formats/" + name);
        ASSERT_TRUE(file) << file.reason();
        read(*file, nameStyle);
    }
    // The boxes of `boxes` that are ticked (or, with `set`, ticked and enabled), in the given order.
    [[nodiscard]] std::vector<Control> ticked(std::initializer_list<Control> boxes, bool set = false) const {
        std::vector<Control> result;
        for (const Control box : boxes) {
            if (set ? job.IsOptionSet(box) : job.isTicked(box)) {
                result.push_back(box);
            }
        }
        return result;
    }
    [[nodiscard]] std::vector<std::string> redLines() const {
        std::vector<std::string> result;
        for (const auto& line : log.lines()) {
            if (line.colour == LogColour::Red) {
                result.push_back(line.text);
            }
        }
        return result;
    }
};

class ExampleTest : public JobFileReaderTest, public ::testing::WithParamInterface<PathStyle> {};

// Robocopy's own layout reads the same with either rule for name blocks.
INSTANTIATE_TEST_SUITE_P(BothNameRules, ExampleTest, ::testing::Values(PathStyle::Windows, PathStyle::Posix),
                         [](const ::testing::TestParamInfo<PathStyle>& rule) {
                             return rule.param == PathStyle::Windows ? "Windows" : "Posix";
                         });

TEST_P(ExampleTest, RobocopySavedMirrorJob) {
    readExample("saved-by-robocopy-mirror.rcj", GetParam());
    EXPECT_EQ(job.sourcePath(), "C:\\Users\\Anna\\Documents");
    EXPECT_EQ(job.destinationPath(), "D:\\Sicherung\\Documents");
    EXPECT_EQ(job.nameListText(), "/IF\n\n/XD\n$RECYCLE.BIN\nSystem Volume Information\n\n/XF\n*.tmp\n~$*\n\n");
    // /MIR disables /E and /PURGE but leaves them ticked.
    EXPECT_EQ(ticked({C::chb_PNoSD, C::chb_PNoDD, C::chb_KS, C::chb_KE, C::chb_KPURGE}),
              (std::vector<Control>{C::chb_KE, C::chb_KPURGE}));
    EXPECT_EQ(ticked({C::chb_FIF, C::chb_FXD, C::chb_FXF, C::chb_FXO, C::chb_KE, C::chb_KPURGE, C::chb_KMIR,
                      C::chb_KDCOPY, C::chb_KCopy, C::chb_LNP, C::chb_LLOG, C::chb_LTEE},
                     true),
              (std::vector<Control>{C::chb_FIF, C::chb_FXD, C::chb_FXF, C::chb_FXO, C::chb_KMIR, C::chb_KDCOPY,
                                    C::chb_KCopy, C::chb_LNP, C::chb_LLOG, C::chb_LTEE}));
    EXPECT_EQ(job.tickedLetters(C::chb_KCopy), "DAT");
    EXPECT_EQ(job.text(C::edt_KR), "5");
    EXPECT_EQ(job.text(C::edt_KW), "10");
    EXPECT_EQ(job.text(C::edt_LLOG), "C:\\Logs\\dokumente.log");
    EXPECT_EQ(redLines(), std::vector<std::string>{"Einstellungen zurückgesetzt."});
}

TEST_P(ExampleTest, RobocopySavedJobWithoutFolders) {
    readExample("saved-by-robocopy-nosd.rcj", GetParam());
    EXPECT_TRUE(job.IsOptionSet(C::chb_PNoSD));
    EXPECT_TRUE(job.IsOptionSet(C::chb_PNoDD));
    EXPECT_EQ(job.sourcePath(), "");
    EXPECT_EQ(job.destinationPath(), "");
    EXPECT_EQ(job.nameListText(), "/IF\n*.docx\n*.xlsx\n\n");
    EXPECT_EQ(ticked({C::chb_KS, C::chb_KE, C::chb_KCopyAll, C::chb_KCopy, C::chb_KZ, C::chb_LTS, C::chb_LFP}),
              (std::vector<Control>{C::chb_KS, C::chb_KCopyAll, C::chb_KZ, C::chb_LTS, C::chb_LFP}));
    EXPECT_EQ(job.text(C::edt_KR), "1000000");
    EXPECT_EQ(job.text(C::edt_KW), "30");
}

TEST_P(ExampleTest, HandTypedJob) {
    readExample("typed-by-hand.rcj", GetParam());
    EXPECT_EQ(job.sourcePath(), "E:\\Fotos");
    EXPECT_EQ(job.destinationPath(), "\\\\nas\\backup\\Fotos");
    EXPECT_TRUE(job.IsOptionSet(C::chb_KS));
    EXPECT_FALSE(job.isTicked(C::chb_KE));
    EXPECT_EQ(job.tickedLetters(C::chb_KCopy), "DAT");
    EXPECT_EQ(job.tickedLetters(C::chb_KAplus), "RH");
    EXPECT_EQ(job.tickedLetters(C::chb_FIA), "RS");
    EXPECT_EQ(job.text(C::edt_KR), "5");
    EXPECT_EQ(job.text(C::edt_KW), "3");
    EXPECT_EQ(job.text(C::edt_MRH1), "0800");
    EXPECT_EQ(job.text(C::edt_MRH2), "1700");
    EXPECT_EQ(job.nameListText(), "/XF\n*.tmp\nThumbs.db\n\n/XD\n.git\n\n");
    EXPECT_TRUE(job.IsOptionSet(C::chb_LLOGplus));
    EXPECT_EQ(job.text(C::edt_LLOG), "E:\\Logs\\fotos.log");
    EXPECT_TRUE(job.IsOptionSet(C::chb_LUNICODE));
    // The unknown switch is skipped, but the user hears of it before a save drops it.
    const std::vector<std::string> red = redLines();
    ASSERT_EQ(red.size(), 2U);
    EXPECT_NE(red[1].find("/ZZZ"), std::string::npos);
}

TEST_F(JobFileReaderTest, PosixNamesWithSlashesStayInTheirBlock) {
    readExample("posix-paths.rcj", PathStyle::Posix);
    EXPECT_EQ(job.sourcePath(), "/home/anna/Projekte");
    EXPECT_EQ(job.destinationPath(), "/media/anna/Sicherung/Projekte");
    EXPECT_TRUE(job.IsOptionSet(C::chb_KMIR));
    EXPECT_EQ(job.text(C::edt_KR), "2");
    EXPECT_EQ(job.nameListText(), "/XD\nnode_modules\n/home/anna/Projekte/build\n/tmp/cache\n\n/XF\n*.o\n\n");

    // With Windows names a "/" ends the block, as files from Windows expect.
    readExample("posix-paths.rcj", PathStyle::Windows);
    EXPECT_EQ(job.nameListText(), "/XD\nnode_modules\n\n/XF\n*.o\n\n");
}

TEST_F(JobFileReaderTest, NameListsEndOnlyAtTheNextSwitch) {
    struct Case {
        std::string name;
        LineList lines;
        std::string list;
        PathStyle style = PathStyle::Windows;
    };
    const std::vector<Case> cases = {
        {"names on the switch line belong to the list",
         {"/XD node_modules .git \"My Folder\"", "a"},
         "/XD\nnode_modules\n.git\nMy Folder\na\n\n"},
        {"a following switch starts its own block", {"/xf", "a", "/XD", "b"}, "/XF\na\n\n/XD\nb\n\n"},
        {"comment and blank lines inside a list are skipped",
         {"/XF", "a", ":: b", "", "   ", "\t", "c"},
         "/XF\na\nc\n\n"},
        {"a name line keeps its blanks",
         {"/XD", "  System Volume Information  "},
         "/XD\nSystem Volume Information\n\n"},
        {"comments after names go", {"/XF", "\ta  :: note", "  b"}, "/XF\na\nb\n\n"},
        {"a switch on a line of its own ends it", {"/XF", "a", "/NP /XD b"}, "/XF\na\n\n/XD\nb\n\n"},
        {"an unknown switch is a name (POSIX)", {"/XD", "/data/x", "/XO"}, "/XD\n/data/x\n\n", PathStyle::Posix},
        {"any robocopy switch ends it (POSIX)", {"/XD", "/data", "/MT:8", "/r:3"}, "/XD\n/data\n\n", PathStyle::Posix},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        read(c.lines, c.style);
        EXPECT_EQ(job.nameListText(), c.list);
    }
    EXPECT_EQ(job.text(C::edt_KR), "3"); // the line that ended the last block was applied
}

// Hand-typed jobs put several switches on a line, as on a command line.
TEST_F(JobFileReaderTest, EverySwitchOfALineIsRead) {
    read({"/S /E", "/R:0 /W:0 /NP", "/LOG:C:\\my logs\\a.log /TEE", "/SD:C:\\My Data /MIR", "/R:5 6"});
    EXPECT_TRUE(job.isTicked(C::chb_KE));
    EXPECT_FALSE(job.isTicked(C::chb_KS));
    EXPECT_EQ(job.text(C::edt_KR), "5");
    EXPECT_EQ(job.text(C::edt_KW), "0");
    EXPECT_TRUE(job.IsOptionSet(C::chb_LNP));
    EXPECT_EQ(job.text(C::edt_LLOG), "C:\\my logs\\a.log");
    EXPECT_TRUE(job.IsOptionSet(C::chb_LTEE));
    EXPECT_EQ(job.sourcePath(), "C:\\My Data");
    EXPECT_TRUE(job.IsOptionSet(C::chb_KMIR));
    // A word that is neither switch nor name is reported, not dropped silently.
    EXPECT_TRUE(log.contains("Text ohne Option wird nicht übernommen: 6", LogColour::Red));
}

TEST_F(JobFileReaderTest, ValuesAndLetters) {
    struct Case {
        std::string line;
        Control field;
        std::string value;
    };
    const std::vector<Case> cases = {
        {"   /r:5    :: five retries", C::edt_KR, "5"},
        {"/R: 7", C::edt_KR, "7"},
        {"/R:abc", C::edt_KR, "abc"}, // not validated
        {"/LEV:3", C::edt_KLEV, "3"},
        {"/max:1000", C::edt_FMAX, "1000"},
        {"/MIN:10", C::edt_FMIN, "10"},
        {"/MON:2", C::edt_MMON, "2"},
        {"/MOT:9", C::edt_MMOT, "9"},
        {"/IPG:50", C::edt_MIPG, "50"},
        {"/RH:0800-1700", C::edt_MRH1, "0800"},
        {"/RH:0800-1700", C::edt_MRH2, "1700"},
        // Fixed positions: a short first time shifts the second.
        {"/RH:800-1700", C::edt_MRH1, "800-"},
        {"/RH:800-1700", C::edt_MRH2, "700"},
        {"/RH:08", C::edt_MRH2, ""},
        {"/RH:ä800-1700", C::edt_MRH1, "ä800"},
        {"/log:C:\\my logs\\a.log", C::edt_LLOG, "C:\\my logs\\a.log"},
        {"/UNILOG+:x.log", C::edt_LLOG, "x.log"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        read({c.line});
        EXPECT_EQ(job.text(c.field), c.value);
    }

    struct LetterCase {
        std::string line;
        Control box;
        std::string letters;
    };
    const std::vector<LetterCase> letterCases = {
        {"/IA:rs", C::chb_FIA, "RS"},     {"/XA:ohx", C::chb_FXA, "HO"}, {"/COPY:DAT", C::chb_KCopy, "DAT"},
        {"/A-:TR", C::chb_KAminus, "RT"}, {"/a+:", C::chb_KAplus, ""},
    };
    for (const LetterCase& c : letterCases) {
        SCOPED_TRACE(c.line);
        read({c.line});
        EXPECT_TRUE(job.IsOptionSet(c.box));
        EXPECT_EQ(job.tickedLetters(c.box), c.letters);
    }
}

TEST_F(JobFileReaderTest, AllCopyLettersAreEnabledEvenWithoutSecurityOnTheFileSystems) {
    job.applySourceFolder("C:\\x", "FAT32"); // the label survives the reset
    read({"/SD:C:\\x", "/DD:D:\\y", "/COPY:DATSOU"});
    for (const Control letter : {C::chb_KCopyS, C::chb_KCopyO, C::chb_KCopyU}) {
        EXPECT_TRUE(job.isTicked(letter));
        EXPECT_TRUE(job.isEnabled(letter));
    }
}

TEST_F(JobFileReaderTest, CouplingActsInFileOrder) {
    read({"/S", "/E"});
    EXPECT_EQ(ticked({C::chb_KS, C::chb_KE}), std::vector<Control>{C::chb_KE});
    read({"/E", "/S"});
    EXPECT_EQ(ticked({C::chb_KS, C::chb_KE}), std::vector<Control>{C::chb_KS});

    read({"/COPY:DAT", "/COPYALL"});
    EXPECT_TRUE(job.IsOptionSet(C::chb_KCopyAll));
    EXPECT_FALSE(job.isTicked(C::chb_KCopy));
    EXPECT_TRUE(job.isTicked(C::chb_KCopyD)); // the letters keep their ticks, disabled
    EXPECT_FALSE(job.isEnabled(C::chb_KCopyD));

    read({"/LOG:a.log", "/UNILOG:b.log"});
    EXPECT_FALSE(job.isTicked(C::chb_LLOG));
    EXPECT_TRUE(job.IsOptionSet(C::chb_LUNILOG));
    EXPECT_EQ(job.text(C::edt_LLOG), "b.log");
}

TEST_F(JobFileReaderTest, Paths) {
    services.longPaths["C:\\PROGRA~1\\Daten"] = "C:\\Program Files\\Daten";
    struct Case {
        std::string line;
        std::string path;
        bool noFolder;
    };
    const std::vector<Case> cases = {
        // Nothing behind the switch (read first, into a job without a source): the box is ticked
        // again because the path is empty.
        {"/SD:", "", true},
        {"/SD:C:\\Daten", "C:\\Daten", false},
        {"/SD:C:\\PROGRA~1\\Daten", "C:\\Program Files\\Daten", false},
        // Trailing separators would end a quoted command-line argument in \" (an escaped quote).
        {"/SD:C:\\Daten\\", "C:\\Daten", false},
        {"/SD:C:\\Daten\\\\", "C:\\Daten", false},
        {"/SD:C:\\", "C:\\", false},
        {"/SD:e:\\\\", "e:\\", false},
        {"/SD:\\\\nas\\share\\", "\\\\nas\\share\\", false},
        {"/SD:/media/x/", "/media/x", false},
        {"/SD:/", "/", false},
        {"/SD:   C:\\Mit  Blanks  ", "C:\\Mit  Blanks", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        read({c.line});
        EXPECT_EQ(job.sourcePath(), c.path);
        EXPECT_EQ(job.isTicked(C::chb_PNoSD), c.noFolder);
        EXPECT_TRUE(job.isTicked(C::chb_PNoDD));
    }

    read({"/DD:D:\\Bücher"});
    EXPECT_EQ(job.destinationPath(), "D:\\Bücher");
    EXPECT_TRUE(job.destNeedsUnicode());
    EXPECT_TRUE(job.IsOptionSet(C::chb_LUNICODE));
}

TEST_F(JobFileReaderTest, TheFileDecidesTheOptions) {
    job.setTicked(C::chb_KMIR, true);
    job.setNameListText("/XF\nalt\n\n");
    read({"/S"});
    EXPECT_FALSE(job.isTicked(C::chb_KMIR));
    EXPECT_FALSE(job.isTicked(C::chb_FXF));
    EXPECT_EQ(job.nameListText(), "");
    EXPECT_TRUE(job.modifiedFlag());
}

TEST_F(JobFileReaderTest, WhatIsLogged) {
    const LineList lines = {":: comment", "/A", "/a+:r", "/s", "/XF", "*.tmp", "/SD:C:\\x", "/SJ", "Created by x"};
    read(lines, PathStyle::Windows, true);
    using Line = fakes::RecordingLogSink::Line;
    EXPECT_EQ(log.lines(), (std::vector<Line>{
                               {"Einstellungen zurückgesetzt.", LogColour::Red},
                               {"", LogColour::Black},
                               {"Einstellungen laden...", LogColour::Green},
                               {"", LogColour::Black},
                               {"/A", LogColour::Blue},
                               {"/a+:r", LogColour::Blue},
                               {"/s", LogColour::Blue},
                               {"/XF", LogColour::Blue},
                               {"*.tmp", LogColour::Blue},
                               {"/SD:C:\\x", LogColour::Blue},
                               {"Option ohne eigenes Feld, unter Weitere Optionen behalten: /SJ", LogColour::Red},
                               {"", LogColour::Black},
                           }));

    // Loading the default job stays quiet about the reset, /A, /A+ and names.
    log.clear();
    read(lines, PathStyle::Windows, false);
    EXPECT_EQ(log.texts(),
              (std::vector<std::string>{"Einstellungen laden...", "", "/s", "/XF", "/SD:C:\\x",
                                        "Option ohne eigenes Feld, unter Weitere Optionen behalten: /SJ"}));
}

TEST(ParseJobParameterTest, CollectsTheQuotedArgumentsBehindJob) {
    struct Case {
        std::string commandLine;
        LineList arguments;
    };
    const std::vector<Case> cases = {
        {R"(RoboCopy /JOB:"C:\Jobs\a.rcj" "C:\Quelle" "D:\Ziel")", {"C:\\Jobs\\a.rcj", "C:\\Quelle", "D:\\Ziel"}},
        {R"(robocopy /job:"C:\a.rcj" "" "D:\Ziel")", {"C:\\a.rcj", "", "D:\\Ziel"}}, // keeps its place
        {R"("C:\Quelle" robocopy /Job:"x.rcj")", {"x.rcj"}},
        {R"(robocopy "C:\a" "D:\b")", {"C:\\a", "D:\\b"}},
        {R"(robocopy /JOB:"C:\a.rcj)", {"C:\\a.rcj"}},
        {"robocopy /JOB:x.rcj", {}},
        {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.commandLine);
        fakes::RecordingLogSink log;
        LineList lines{"old"};
        EXPECT_TRUE(ParseJobParameter(c.commandLine, lines, log));
        EXPECT_EQ(lines, c.arguments);
        ASSERT_EQ(log.lines().size(), 2 + c.arguments.size() - std::count(c.arguments.begin(), c.arguments.end(), ""));
        EXPECT_EQ(log.lines()[0].colour, LogColour::Green);
    }
}

} // namespace
} // namespace talvex::formats
