// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/JobFileWriter.h"

#include <algorithm>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/formats/FormatsTestSupport.h"
#include "core/formats/TextLines.h"
#include "core/options/OptionCatalogue.h"
#include "fakes/FakeFormatServices.h"
#include "fakes/FakeJobEnvironment.h"
#include "fakes/RecordingLogSink.h"

namespace talvex::formats {
namespace {

using options::Control;
using C = options::Control;
using testing::CrLf;

class JobFileWriterTest : public testing::FormatsFixture {
protected:
    LineList write(std::string_view fileName = "C:\\JOBS\\A.RCJ") {
        LineList lines{"left over from an earlier job"};
        EXPECT_TRUE(WriteJobFile(job, fileName, lines, log, services));
        return lines;
    }
    bool contains(const LineList& lines, std::string_view line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    static std::string comment(Control box) { return options::FindOption(box)->comment; }
};

TEST_F(JobFileWriterTest, ReproducesTheDocumentedExampleByteForByte) {
    job.applySourceFolder("C:\\Daten", "NTFS");
    job.applyDestinationFolder("D:\\Backup", "NTFS");
    job.setTicked(C::chb_KMIR, true);
    job.setTicked(C::chb_KR, true);
    job.setText(C::edt_KR, "3");
    job.setTicked(C::chb_KW, true);
    job.setText(C::edt_KW, "5");
    job.setTicked(C::chb_LNP, true);

    const LineList lines = write("c:\\jobs\\sicherung.rcj");

    EXPECT_EQ(
        EncodeTextLines(lines),
        CrLf({"::",
              ":: Robocopy Job C:\\JOBS\\SICHERUNG.RCJ",
              "::",
              ":: Erstellt mit Brenno's Talvex Version 1.0 am 05.12.2026 um 13:10:38",
              "::",
              "",
              "::",
              ":: Quellverzeichnis",
              "::",
              "      /SD:C:\\Daten",
              "",
              "::",
              ":: Zielverzeichnis",
              "::",
              "      /DD:D:\\Backup",
              "",
              "::",
              ":: Kopieroptionen",
              "::",
              "      /MIR     :: Synchronisieren/Spiegeln eines Verzeichnisbaumes (entspricht /E und /PURGE).",
              "",
              "::",
              ":: Wiederholungsoptionen",
              "::",
              "      /R:3     :: Anzahl der Kopierversuche wenn ein Fehler auftritt. Voreinstellung eine "
              "Milllion.",
              "      /W:5     :: Wartezeit bis ein neuer Kopierversuch unternommen wird. Voreinstellung sind 30 s.",
              "",
              "::",
              ":: Logoptionen",
              "::",
              "      /NP      :: Fortschrittsanzeige ausschalten."}));

    // The user sees what goes into the file: a green start, every line in navy, an empty line after.
    const auto& logged = log.lines();
    ASSERT_EQ(logged.size(), lines.size() + 3);
    EXPECT_EQ(logged.front(), (fakes::RecordingLogSink::Line{"Job erstellen...", LogColour::Green}));
    EXPECT_EQ(logged[1], (fakes::RecordingLogSink::Line{"", LogColour::Black}));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(logged[i + 2], (fakes::RecordingLogSink::Line{lines[i], LogColour::Navy}));
    }
    EXPECT_EQ(logged.back(), (fakes::RecordingLogSink::Line{"", LogColour::Black}));
}

TEST_F(JobFileWriterTest, DefaultSettingsHeaderOnlyForTheExactName) {
    struct Case {
        std::string_view fileName;
        std::vector<std::string> header;
    };
    const std::vector<std::string> defaults = {"::", ":: Voreinstellungen für Brenno's Talvex Version 1.0",
                                               "::", ":: Erstellt am 05.12.2026 um 13:10:38", "::"};
    const auto ordinary = [](const std::string& shown) {
        return std::vector<std::string>{"::", ":: Robocopy Job " + shown,
                                        "::", ":: Erstellt mit Brenno's Talvex Version 1.0 am 05.12.2026 um 13:10:38",
                                        "::"};
    };
    const std::vector<Case> cases = {
        {"C:\\Talvex\\~default.rcj", defaults},
        {"/home/anna/.config/Talvex/~default.rcj", defaults},
        // The test is case-sensitive: a renamed copy is an ordinary job.
        {"C:\\Talvex\\~Default.rcj", ordinary("C:\\TALVEX\\~DEFAULT.RCJ")},
        {"C:\\Talvex\\~default.rcj.bak", ordinary("C:\\TALVEX\\~DEFAULT.RCJ.BAK")},
        // Only ASCII letters are raised; an umlaut keeps its bytes.
        {"c:\\jobs\\bücher.rcj", ordinary("C:\\JOBS\\BüCHER.RCJ")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fileName);
        const LineList lines = write(c.fileName);
        ASSERT_GE(lines.size(), 5U);
        EXPECT_EQ(LineList(lines.begin(), lines.begin() + 5), c.header);
    }
}

TEST_F(JobFileWriterTest, EveryOptionLineHasItsColumnLayout) {
    struct Case {
        std::function<void(options::JobState&)> set;
        Control box;           // whose comment ends the line
        std::string_view body; // the line without indent and comment
    };
    const auto value = [](Control box, Control field, std::string_view text) {
        return [=](options::JobState& j) {
            j.setTicked(box, true);
            j.setText(field, text);
        };
    };
    const auto letters = [](Control box, std::vector<Control> letterBoxes) {
        return [=](options::JobState& j) {
            j.setTicked(box, true);
            for (const Control letter : letterBoxes) {
                j.setTicked(letter, true);
            }
        };
    };
    // Flags: the switch padded to its column, then the comment; every width and the odd /TBD. Of
    // the values, one row for each way a line is laid out.
    const std::pair<Control, std::string_view> flags[] = {
        {C::chb_KS, "/S       :: "},     {C::chb_KSEC, "/SEC     :: "},     {C::chb_KCopyAll, "/COPYALL :: "},
        {C::chb_KDCOPY, "/DCOPY:T :: "}, {C::chb_LUNICODE, "/UNICODE :: "}, {C::chb_LTBD, "/TBD   :: "},
        {C::chb_MPF, "/PF      :: "}};
    for (const auto& [box, body] : flags) {
        options::JobState fresh(environment);
        fresh.setTicked(box, true);
        LineList lines;
        ASSERT_TRUE(WriteJobFile(fresh, "x.rcj", lines, log, services));
        EXPECT_TRUE(contains(lines, "      " + std::string(body) + comment(box))) << body;
    }
    const std::vector<Case> cases = {
        {letters(C::chb_KAminus, {C::chb_KAminusT, C::chb_KAminusR, C::chb_KAminusH}), C::chb_KAminus, "/A-:RHT :: "},
        {letters(C::chb_KCopy, {C::chb_KCopyT, C::chb_KCopyD}), C::chb_KCopy, "/COPY:DT :: "},
        // /LEV keeps its text as typed, blanks included.
        {value(C::chb_KLEV, C::edt_KLEV, " 3"), C::chb_KLEV, "/LEV: 3  :: "},
        {value(C::chb_KR, C::edt_KR, " 12 "), C::chb_KR, "/R:12    :: "},
        {value(C::chb_KW, C::edt_KW, "123456"), C::chb_KW, "/W:123456 :: "},
        {letters(C::chb_FIA, {C::chb_FIAo, C::chb_FIAc, C::chb_FIAr}), C::chb_FIA, "/IA:RCO  :: "},
        {letters(C::chb_FXA, {C::chb_FXAe, C::chb_FXAh}), C::chb_FXA, "/XA:HE :: "},
        {value(C::chb_FMAX, C::edt_FMAX, "\t1000 "), C::chb_FMAX, "/MAX:1000  :: "},
        {value(C::chb_LLOG, C::edt_LLOG, "C:\\Logs\\a b.log"), C::chb_LLOG, "/LOG:C:\\Logs\\a b.log  :: "},
        {value(C::chb_LUNILOGPlus, C::edt_LLOG, "x.log"), C::chb_LUNILOGPlus, "/UNILOG+:x.log  :: "},
        {value(C::chb_LLOG, C::edt_LLOG, "x.log"), C::chb_LTEE, "/TEE     :: "},
        {value(C::chb_MMON, C::edt_MMON, " 4 "), C::chb_MMON, "/MON:4  :: "},
        {[](auto& j) {
             j.setTicked(C::chb_MRH, true);
             j.setText(C::edt_MRH1, " 0800");
             j.setText(C::edt_MRH2, "1700 ");
         },
         C::chb_MRH, "/RH:0800-1700  :: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        options::JobState fresh(environment);
        c.set(fresh);
        if (c.box == C::chb_LTEE) {
            fresh.setTicked(C::chb_LTEE, true);
        }
        LineList lines;
        ASSERT_TRUE(WriteJobFile(fresh, "x.rcj", lines, log, services));
        EXPECT_TRUE(contains(lines, "      " + std::string(c.body) + comment(c.box)));
    }
}

TEST_F(JobFileWriterTest, LinesKeepTheirWrittenOrderInsideEachSection) {
    const std::vector<std::pair<std::string_view, std::string_view>> order = {
        {"Quellverzeichnis", "/NOSD"},
        {"Zielverzeichnis", "/NODD"},
        {"Kopieroptionen", "/S /E /M /Z /A- /SEC /MOV /A /B /COPYALL /NOCOPY /MIR /ZB /A+ /CREATE /PURGE /MOVE /FAT "
                           "/COPY /DCOPY /FFT /LEV /MT"},
        {"Wiederholungsoptionen", "/R /W"},
        {"Einzuschliessende Dateien", "/IS /IT /IA"},
        {"Auszuschließende Dateien", "/XJ /XJD /XJF /XC /XN /XX /XL /XA /XO /MAX /MIN"},
        {"Liste ein- und auszuschließende Dateien und Verzeichnisse", "/IF /XF /ID /XD"},
        {"Logoptionen", "/V /TS /FP /NJH /NJS /NP /ETA /X /NS /NC /NDL /NFL /L /LOG /LOG+ /UNILOG /UNILOG+ /UNICODE "
                        "/TEE /TBD"},
        {"Überwachungsoptionen", "/MON /MOT /IPG /PF /RH /MAXDEL"},
    };
    // The registry holds every row in that order, rivals that are never written together included...
    ASSERT_EQ(order.size(), options::kJobFileSections.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        std::string switches;
        for (const options::OptionInfo& option : options::OptionsOf(options::kJobFileSections[i])) {
            switches += std::string(switches.empty() ? "" : " ") + std::string(option.switchName);
        }
        EXPECT_EQ(options::SectionTitle(options::kJobFileSections[i]), order[i].first);
        EXPECT_EQ(switches, order[i].second);
    }
    // ...and the writer keeps it. Set whatever can be set at once: of rivals (/S and /E, the log
    // files) the last one ticked stays.
    for (const options::OptionInfo& option : options::Options()) {
        job.setTicked(option.box, true);
        for (const options::Letter& letter : option.letters) {
            job.setTicked(letter.box, true);
        }
        for (const Control field : option.fields) {
            job.setText(field, "1");
        }
    }
    for (const options::OptionInfo& option : options::Options()) {
        job.setEnabled(option.box, true);
    }
    job.setNameListText("/IF\na\n\n/XD\nb\n\n");

    std::map<std::string, std::string> written; // section title -> switches of its lines
    std::string title;
    for (const std::string& line : write()) {
        if (line.starts_with(":: ")) {
            title = line.substr(3);
        } else if (line.starts_with("      /")) {
            written[title] += line.substr(6, line.find_first_of(": ", 7) - 6) + " ";
        }
    }
    for (const auto& [section, switches] : order) {
        SCOPED_TRACE(section);
        std::string expected;
        std::istringstream words{std::string(switches)};
        for (std::string word; words >> word;) {
            const options::OptionInfo* option = options::FindOptionBySwitch(word);
            ASSERT_NE(option, nullptr);
            if (job.IsOptionSet(option->box)) {
                expected += word + " ";
            }
        }
        EXPECT_EQ(written[std::string(section)], expected);
    }
}

TEST_F(JobFileWriterTest, ValuesThatAreEmptyLeaveTheLineOutButKeepTheHeading) {
    struct Case {
        std::function<void(options::JobState&)> set;
        std::string_view heading;
        std::string_view absentPrefix;
    };
    const std::vector<Case> cases = {
        {[](auto&) {}, ":: Wiederholungsoptionen", "      /R:"},
        {[](auto& j) { j.setText(C::edt_KR, "  "); }, ":: Wiederholungsoptionen", "      /R:"},
        {[](auto& j) { j.setTicked(C::chb_FIA, true); }, ":: Einzuschliessende Dateien", "      /IA:"},
        {[](auto& j) { j.setTicked(C::chb_KAminus, true); }, ":: Kopieroptionen", "      /A-:"},
        {[](auto& j) {
             j.setTicked(C::chb_MRH, true);
             j.setText(C::edt_MRH1, "0800");
             j.setText(C::edt_MRH2, " ");
         },
         ":: Überwachungsoptionen", "      /RH:"},
        {[](auto& j) {
             j.setTicked(C::chb_KLEV, true);
             j.setText(C::edt_KLEV, "");
         },
         ":: Kopieroptionen", "      /LEV:"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.heading);
        options::JobState fresh(environment);
        // The state a job file is read into: /R and /W ticked with empty values.
        ASSERT_TRUE(fresh.Reset());
        c.set(fresh);
        LineList lines;
        ASSERT_TRUE(WriteJobFile(fresh, "x.rcj", lines, log, services));
        EXPECT_TRUE(contains(lines, c.heading));
        EXPECT_TRUE(std::none_of(lines.begin(), lines.end(),
                                 [&](const std::string& line) { return line.starts_with(c.absentPrefix); }));
    }
}

TEST_F(JobFileWriterTest, TypedValuesCannotAddSwitchesOfTheirOwn) {
    // Every word of a job file line that starts with "/" is a switch to robocopy.
    job.setTicked(C::chb_KR, true);
    job.setText(C::edt_KR, "5 /PURGE");
    job.setTicked(C::chb_KLEV, true);
    job.setText(C::edt_KLEV, " 2 /MOVE");
    job.setTicked(C::chb_FMAX, true);
    job.setText(C::edt_FMAX, "100 ");
    const LineList lines = write();
    EXPECT_TRUE(contains(lines, "      /R:5     :: " + comment(C::chb_KR)));
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.starts_with("      /LEV: 2  ::"); }));
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.starts_with("      /MAX:100  ::"); }));
    for (const std::string& line : lines) {
        EXPECT_EQ(line.find("/PURGE"), std::string::npos) << line;
        EXPECT_EQ(line.find("/MOVE"), std::string::npos) << line;
    }
    // What was left out is said, not dropped silently.
    for (const char* dropped : {"/R: \"/PURGE\"", "/LEV: \"/MOVE\""}) {
        EXPECT_TRUE(log.contains(std::string(dropped) + " nicht in die Jobdatei geschrieben, da Robocopy den Text nach "
                                                        "dem Leerzeichen als eigene Angabe läse.",
                                 LogColour::Red));
    }
}

TEST_F(JobFileWriterTest, PathLines) {
    // /NOSD not set with no folder: robocopy gets an empty source rather than a missing line.
    job.setEnabled(C::chb_PNoSD, false);
    ASSERT_FALSE(job.IsOptionSet(C::chb_PNoSD));
    LineList lines = write();
    EXPECT_TRUE(contains(lines, "      /SD:"));

    // A component the code page lacks goes in as its short name.
    services.shortPaths["C:\\Bücher\\Neu"] = "C:\\BCHER~1\\Neu";
    job.applySourceFolder("C:\\Bücher\\Neu", "NTFS");
    lines = write();
    EXPECT_TRUE(contains(lines, "      /SD:C:\\BCHER~1\\Neu"));

    lines = write();
    EXPECT_TRUE(contains(lines, "      /NODD    :: " + comment(C::chb_PNoDD)));
}

TEST_F(JobFileWriterTest, NameListLinesAreIndentedAndSeparatorsBecomeSixBlanks) {
    job.setNameListText("/ID\nC:\\Alte Sachen\nTemp\n\n");
    const LineList lines = write();
    const auto heading =
        std::find(lines.begin(), lines.end(), ":: Liste ein- und auszuschließende Dateien und Verzeichnisse");
    ASSERT_NE(heading, lines.end());
    ASSERT_GE(lines.end() - heading, 6);
    EXPECT_EQ(LineList(heading + 2, heading + 6),
              (LineList{"      /ID", "      C:\\Alte Sachen", "      Temp", "      "}));
}

TEST_F(JobFileWriterTest, DefaultLogFileFallsBackToTheDocumentsFolder) {
    const auto exists = [](std::vector<std::string> folders) {
        return [folders](const std::string& folder) {
            return std::find(folders.begin(), folders.end(), folder) != folders.end();
        };
    };
    EXPECT_EQ(DefaultLogFile("C:\\Users\\a\\AppData\\Roaming", "C:\\Users\\a\\Documents",
                             exists({"C:\\Users\\a\\AppData\\Roaming\\Talvex"}), PathStyle::Windows),
              "C:\\Users\\a\\AppData\\Roaming\\Talvex\\tmp.log");
    EXPECT_EQ(
        DefaultLogFile("C:\\Users\\a\\AppData\\Roaming", "C:\\Users\\a\\Documents", exists({}), PathStyle::Windows),
        "C:\\Users\\a\\Documents\\tmp.log");
    EXPECT_EQ(
        DefaultLogFile("/home/a/.config", "/home/a/Documents", exists({"/home/a/.config/Talvex"}), PathStyle::Posix),
        "/home/a/.config/Talvex/tmp.log");
}

TEST_F(JobFileWriterTest, AFailureStopsTheLinesAndIsReported) {
    services.failPathConversion = true;
    LineList lines;
    job.setEnabled(C::chb_PNoSD, false);
    const Status written = WriteJobFile(job, "x.rcj", lines, log, services);
    EXPECT_FALSE(written);
    EXPECT_EQ(written.reason(), "Unerwarteter Fehler: path conversion failed");
    EXPECT_FALSE(contains(lines, ":: Zielverzeichnis"));
    EXPECT_EQ(log.lines().back(), (fakes::RecordingLogSink::Line{"", LogColour::Black}));
}

} // namespace
} // namespace talvex::formats
