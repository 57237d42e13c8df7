// SPDX-License-Identifier: GPL-3.0-or-later
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/formats/CommandLineBuilder.h"
#include "core/formats/FormatsTestSupport.h"
#include "core/formats/JobFileReader.h"
#include "core/formats/JobFileWriter.h"
#include "core/formats/TextLines.h"
#include "core/options/SwitchRegistry.h"
#include "fakes/FakeFormatServices.h"
#include "fakes/FakeJobEnvironment.h"
#include "fakes/RecordingLogSink.h"

namespace talvex::formats {
namespace {

using C = options::Control;
using JobSetup = std::function<void(options::JobState&)>;

void Tick(options::JobState& job, std::initializer_list<C> boxes) {
    for (const C box : boxes) {
        job.setTicked(box, true);
    }
}

class JobFileRoundTripTest : public ::testing::Test {
protected:
    std::string write(const options::JobState& job) {
        LineList lines;
        EXPECT_TRUE(WriteJobFile(job, "C:\\Jobs\\rund.rcj", lines, log, services));
        return EncodeTextLines(lines);
    }
    // Writes the job, reads the file into a fresh job and writes that one again.
    void roundTrip(const options::JobState& original, options::JobState& copy) {
        LineList lines;
        ASSERT_TRUE(WriteJobFile(original, "C:\\Jobs\\rund.rcj", lines, log, services));
        ASSERT_TRUE(ReadJobFile(copy, DecodeTextLines(EncodeTextLines(lines)), true, log, services));
    }

    fakes::FakeJobEnvironment environment;
    fakes::RecordingLogSink log;
    fakes::FakeFormatServices services;
};

TEST_F(JobFileRoundTripTest, WriteReadWriteGivesTheSameBytes) {
    // Every option of the registry on its own, with a value in each of its fields and every letter
    // (a switch the reader did not know would come back under "Weitere Optionen", or not at all)...
    std::vector<std::pair<std::string, JobSetup>> jobs;
    for (const options::OptionInfo& option : options::Options()) {
        jobs.emplace_back(option.switchName, [&option](options::JobState& j) {
            if (option.box == C::chb_LTEE) {
                testing::SetValue(j, C::chb_LLOG, C::edt_LLOG, "x.log"); // /TEE waits for a log file
            }
            if (option.argument == options::ArgumentKind::List) {
                j.setNameListText(std::string(option.switchName) + "\n*.tmp\nC:\\Alte Sachen\n\n");
            } else if (option.argument != options::ArgumentKind::Path) {
                j.setTicked(option.box, true);
            }
            for (const options::Letter& letter : option.letters) {
                j.setTicked(letter.box, true);
            }
            const std::vector<std::string> values =
                option.argument == options::ArgumentKind::TimeRange ? std::vector<std::string>{"2200", "0600"}
                : option.argument == options::ArgumentKind::File ? std::vector<std::string>{"C:\\Logs\\mit blank.log"}
                                                                 : std::vector<std::string>{"7"};
            for (std::size_t i = 0; i < option.fields.size() && option.argument != options::ArgumentKind::Path; ++i) {
                j.setText(option.fields[i], values.at(i));
            }
        });
    }
    // ...and together with others.
    jobs.emplace_back("folders and mirror", [](options::JobState& j) {
        j.applySourceFolder("C:\\Daten", "NTFS");
        j.applyDestinationFolder("\\\\nas\\backup", "");
        Tick(j, {C::chb_KMIR, C::chb_LNP});
        testing::SetValue(j, C::chb_KR, C::edt_KR, "3");
        testing::SetValue(j, C::chb_KW, C::edt_KW, "5");
    });
    jobs.emplace_back("every name list", [](options::JobState& j) {
        j.setNameListText("/IF\n*.docx\n\n/XF\n*.tmp\n~$*\n\n/ID\nProjekte\n\n/XD\nC:\\Alte Sachen\n$RECYCLE.BIN\n\n");
    });
    for (const auto& [name, setup] : jobs) {
        SCOPED_TRACE(name);
        options::JobState original(environment);
        // A job that came from a file: /R and /W ticked and empty unless the setup fills them.
        ASSERT_TRUE(original.Reset());
        setup(original);
        options::JobState copy(environment);
        roundTrip(original, copy);
        EXPECT_EQ(write(copy), write(original));
    }
}

// Switches the window does not model are kept, in order, on every way out: job file and command
// line. A typed value cannot split the line or run a second command from a batch file.
TEST_F(JobFileRoundTripTest, FurtherOptionsAreKeptInOrder) {
    options::JobState job(environment);
    ASSERT_TRUE(ReadJobFile(job, {"/MT:16 /dcopy:DA /S", "/J /UNILOG+:\"C:\\a b.log\" /SJ"}, true, log, services));
    EXPECT_EQ(job.text(C::edt_KWeitere), "/J /SJ");
    EXPECT_EQ(job.text(C::edt_KMT), "16");
    EXPECT_EQ(job.text(C::edt_KDCOPY), "DA");
    EXPECT_TRUE(log.contains("Option ohne eigenes Feld, unter Weitere Optionen behalten: /J", LogColour::Red));

    const std::string file = write(job);
    EXPECT_NE(file.find("      /DCOPY:DA :: "), std::string::npos) << file;
    EXPECT_NE(file.find("      /MT:16  :: "), std::string::npos) << file;
    EXPECT_NE(file.find(":: Weitere Optionen\r\n::\r\n      /J\r\n      /SJ\r\n"), std::string::npos) << file;
    options::JobState copy(environment);
    ASSERT_TRUE(ReadJobFile(copy, DecodeTextLines(file), true, log, services));
    EXPECT_EQ(write(copy), file);

    job.setText(C::edt_KWeitere, job.text(C::edt_KWeitere) + " /X:\"C:\\a b\\\" & del");
    EXPECT_NE(write(job).find("      /X:\"C:\\a b\\\"\r\n      \"&\"\r\n"), std::string::npos);
    LineList command;
    ASSERT_TRUE(BuildCommandLine(job, command, log, services));
    EXPECT_NE(command[1].find(" /DCOPY:DA /MT:16 "), std::string::npos) << command[1];
    EXPECT_NE(command[1].find(" /J /SJ /X:\"C:\\a b\\\\\" \"&\" del /UNILOG+:"), std::string::npos) << command[1];
}

// A job file's quotes only group: a backslash before the closing quote is no escape there, so a value
// ending in backslashes gained one on every open and save.
TEST_F(JobFileRoundTripTest, FurtherOptionsAreStableOverOpenAndSave) {
    struct Case {
        const char* line;
        const char* field;
    };
    const Case cases[] = {
        {R"(/ZZZ:"C:\a b\")", R"(/ZZZ:"C:\a b\")"},
        {R"(/ZZZ:"C:\a b\\")", R"(/ZZZ:"C:\a b\\")"},
        {R"(/ZZZ:"\\nas\share\")", R"(/ZZZ:"\\nas\share\")"},
        {R"(/X"F" *.tmp)", ""}, // without its quotes it would read back as the real /XF
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        options::JobState job(environment);
        ASSERT_TRUE(ReadJobFile(job, {"/S", c.line}, true, log, services));
        EXPECT_EQ(job.text(C::edt_KWeitere), c.field);
        EXPECT_FALSE(job.isTicked(C::chb_FXF));
        const std::string file = write(job);
        options::JobState copy(environment);
        ASSERT_TRUE(ReadJobFile(copy, DecodeTextLines(file), true, log, services));
        EXPECT_EQ(write(copy), file);
    }
    EXPECT_TRUE(log.contains(R"(Option mit Anführungszeichen wird nicht übernommen: /X"F")", LogColour::Red));
}

// What the writer leaves out or fills in, as the read-back copy shows it.
TEST_F(JobFileRoundTripTest, DocumentedExceptions) {
    options::JobState original(environment);
    Tick(original, {C::chb_KE, C::chb_KMIR}); // /E ticked but disabled: not written
    original.setTicked(C::chb_LLOG, true);    // no file named: the default is written
    options::JobState copy(environment);
    roundTrip(original, copy);
    EXPECT_FALSE(copy.isTicked(C::chb_KE));
    EXPECT_TRUE(copy.IsOptionSet(C::chb_KMIR));
    EXPECT_EQ(copy.text(C::edt_LLOG), services.logFile);
}

TEST_F(JobFileRoundTripTest, UnicodeFoldersTravelAsShortNames) {
    services.shortPaths["C:\\Bücher\\Neu"] = "C:\\BCHER~1\\Neu";
    services.longPaths["C:\\BCHER~1\\Neu"] = "C:\\Bücher\\Neu";
    options::JobState original(environment);
    original.applySourceFolder("C:\\Bücher\\Neu", "NTFS");
    options::JobState copy(environment);
    roundTrip(original, copy);
    EXPECT_EQ(copy.sourcePath(), "C:\\Bücher\\Neu");
    EXPECT_TRUE(copy.sourceNeedsUnicode());
}

} // namespace
} // namespace talvex::formats
