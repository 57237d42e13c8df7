// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/workspace/Workspace.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "WorkspaceFixture.h"
#include "core/formats/TextLines.h"
#include "fakes/FullDisk.h"

namespace talvex::workspace {
namespace {

using C = options::Control;

class WorkspaceTest : public testing::WorkspaceFixture {
protected:
    // A job file on disk that sets /MIR.
    std::string jobFile(const std::string& name) {
        const std::string path = file(name);
        fakes::TempFolder::Write(path, "/SD:C:\\a\r\n/DD:D:\\b\r\n/MIR\r\n");
        return path;
    }
};

// ---- the job list -------------------------------------------------------------------------

TEST_F(WorkspaceTest, ClosingTheThirdOfFourMovesTheFourthDownAndSelectsTheFirst) {
    ws();
    for (int i = 1; i < 4; ++i) {
        ws().New();
    }
    ws().jobs().at(3).Kind = ScriptKind::MultiJobBatch;
    ws().jobs().at(3).Number = 9;
    job(3).setJobFilePath(file("vier.bat"));
    options::JobState* fourth = &job(3);
    ws().SelectJob(2);
    ws().Close();
    ASSERT_EQ(ws().jobs().size(), 3u);
    EXPECT_EQ(&job(2), fourth);
    EXPECT_EQ(ws().jobs().at(2).Number, 9u);
    EXPECT_EQ(ws().jobs().tabCaption(2), "vier.bat #9");
    EXPECT_EQ(ws().jobs().CurrentJob(), 0);
}

// The program creates and drops windows and tab buttons by these events.
TEST_F(WorkspaceTest, ObserverSeesTheListChangeByIndex) {
    struct Events final : JobListObserver {
        std::string seen;
        void jobAdded(std::size_t index) override { seen += "+" + std::to_string(index); }
        void jobRemoved(std::size_t index) override { seen += "-" + std::to_string(index); }
    } events;
    ws().jobs().setObserver(&events);
    ws().New();
    ws().New();
    ws().SelectJob(1);
    ws().Close();
    ws().CloseAllJobs();
    EXPECT_EQ(events.seen, "+1+2-1-1-0+0");
    ws().jobs().setObserver(nullptr);
}

TEST_F(WorkspaceTest, ClosingTheOnlyJobGivesAFreshOne) {
    ws();
    currentJob().setJobFilePath(jobFile("a.rcj"));
    ws().Close();
    ASSERT_EQ(ws().jobs().size(), 1u);
    EXPECT_EQ(ws().jobs().tabCaption(0), "*.rcj");
    EXPECT_FALSE(ws().commandStates().save);
    EXPECT_FALSE(ws().commandStates().saveAs);
}

TEST_F(WorkspaceTest, CloseWithYesSavesTheOnlyJobAndReplacesIt) {
    const std::string path = jobFile("a.rcj");
    ASSERT_TRUE(ws().OpenFile(path));
    currentJob().setTicked(C::chb_KZ, true);
    ASSERT_TRUE(currentJob().modifiedFlag());
    ui.answers.push_back(Answer::Yes);
    ws().Close();
    EXPECT_EQ(ws().jobs().size(), 1u);
    EXPECT_EQ(currentJob().jobFilePath(), "");
    const formats::LineList lines = formats::LoadTextLines(path).value();
    EXPECT_NE(std::find_if(lines.begin(), lines.end(),
                           [](const std::string& l) { return l.find("/Z ") != std::string::npos; }),
              lines.end());
}

TEST_F(WorkspaceTest, CloseStopsOnCancelAndOnAFailedSave) {
    ws();
    currentJob().setTicked(C::chb_KZ, true);
    ui.answers.push_back(Answer::Cancel);
    ws().Close();
    EXPECT_TRUE(currentJob().modifiedFlag());

    // Yes, then the save dialog is cancelled: nothing is saved, so nothing is closed.
    ui.answers.push_back(Answer::Yes);
    ui.saveChoices.push_back(std::nullopt);
    ws().Close();
    EXPECT_TRUE(currentJob().modifiedFlag());
}

TEST_F(WorkspaceTest, SelectingAJobRemembersItsFolder) {
    ws();
    ws().New();
    job(0).setJobFilePath("/daten/jobs/a.rcj");
    ws().SelectJob(0);
    EXPECT_EQ(store.readString("Job", "Path", "na"), "/daten/jobs");
    ws().SelectJob(1);
    EXPECT_EQ(store.readString("Job", "Path", "na"), "");
}

// ---- open -------------------------------------------------------------------------------

TEST_F(WorkspaceTest, OpenReusesAnUntouchedNewJobOnly) {
    ui.openChoices.push_back(FileDialogResult{jobFile("a.rcj"), 0, false});
    ASSERT_TRUE(ws().Open());
    EXPECT_EQ(ws().jobs().size(), 1u);
    EXPECT_TRUE(currentJob().IsOptionSet(C::chb_KMIR));
    EXPECT_EQ(ui.openRequests[0].title, "Eine JOB-Datei öffnen.");
    EXPECT_EQ(ui.openRequests[0].filters.size(), 5u);
    EXPECT_EQ(ui.openRequests[0].initialFolder, settingsFolder);

    // A named job is not reused, nor is a modified new one.
    ASSERT_TRUE(ws().OpenFile(jobFile("b.rcj")));
    EXPECT_EQ(ws().jobs().size(), 2u);
    ws().New();
    currentJob().setTicked(C::chb_KZ, true);
    ASSERT_TRUE(ws().OpenFile(jobFile("c.rcj")));
    EXPECT_EQ(ws().jobs().size(), 4u);
    EXPECT_EQ(ws().jobs().CurrentJob(), 3);
    EXPECT_EQ(store.readString("Scripte", "0", "na"), file("a.rcj"));
}

TEST_F(WorkspaceTest, AlreadyOpenAsksForEveryCopyAndTheLastNoDecides) {
    const std::string path = jobFile("a.rcj");
    ASSERT_TRUE(ws().OpenFile(path));
    ui.answers.push_back(Answer::Yes);
    ASSERT_TRUE(ws().OpenFile(path));
    ws().New();
    ui.answers = {Answer::No, Answer::No};
    EXPECT_FALSE(ws().AlreadyOpen(path));
    EXPECT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ws().jobs().CurrentJob(), 1);
    // The comparison ignores letter case, as the file names of the system it came from do.
    ui.answers = {Answer::Yes, Answer::No};
    EXPECT_FALSE(ws().AlreadyOpen(file("A.RCJ")));
    EXPECT_EQ(ws().jobs().CurrentJob(), 1);
}

TEST_F(WorkspaceTest, UnsupportedFileStaysAsNumberedTab) {
    fakes::TempFolder::Write(file("brief.txt"), "Liebe Anna\r\n");
    EXPECT_FALSE(ws().OpenFile(file("brief.txt")));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Die Datei wird nicht unterstützt.");
    EXPECT_EQ(ws().current().Kind, ScriptKind::Unknown);
    EXPECT_EQ(ws().jobs().tabCaption(0), "brief.txt #0");
    EXPECT_TRUE(currentLog().contains("Die Datei wird nicht unterstützt.", LogColour::Red));
}

TEST_F(WorkspaceTest, FileThatCannotBeReadTellsWhyOrWhichLine) {
    fakes::TempFolder::Write(file("kurz.rcj"), "/MIR\r\n/SD:C:\\PROGRA~1\r\n");
    formats.failPathConversion = true; // expanding the short name fails
    const std::vector<std::pair<std::string, std::string>> cases = {
        {file("kurz.rcj"), "Zeile 2: Unerwarteter Fehler: path conversion failed"},
        {file("weg.rcj"), file("weg.rcj") + ": Der Pfad wurde nicht gefunden"},
    };
    for (const auto& [path, reason] : cases) {
        SCOPED_TRACE(path);
        ws().New();
        currentJob().setJobFilePath(path);
        ws().LoadJobFile();
        EXPECT_TRUE(currentLog().contains("Beim Lesen der Datei sind Fehler aufgetreten.", LogColour::Black));
        EXPECT_TRUE(currentLog().contains(reason, LogColour::Red));
        EXPECT_FALSE(currentJob().saveAsFlag());
    }
}

// What the readers take from these files is their own tests' concern; opened here, each gets its
// kind and counts as saved somewhere.
TEST_F(WorkspaceTest, ExampleFilesOpenWithTheirOptions) {
    const std::tuple<const char*, ScriptKind, const char*> cases[] = {
        {"formats/posix-paths.rcj", ScriptKind::JobFile, "/home/anna/Projekte"},
        {"workspace/typed-by-hand-command.cmd", ScriptKind::CommandBatch, R"(C:\Daten)"},
    };
    for (const auto& [name, kind, source] : cases) {
        SCOPED_TRACE(name);
        ws().New();
        ASSERT_TRUE(ws().OpenFile(std::string(TALVEX_TEST_DATA) + "/" + name));
        EXPECT_EQ(ws().current().Kind, kind);
        EXPECT_EQ(currentJob().sourcePath(), source);
        EXPECT_TRUE(currentJob().IsOptionSet(C::chb_KMIR));
        EXPECT_TRUE(currentJob().saveAsFlag());
    }
}

// Files as people and robocopy write them: open, save, and the file that was opened must tell
// robocopy the same as before, word for word where the words matter.
struct CorpusCase {
    const char* file;
    ScriptKind kind;
    std::vector<std::string> kept; ///< what the saved file must still say
};

class CorpusRoundTrip : public WorkspaceTest, public ::testing::WithParamInterface<CorpusCase> {};

TEST_P(CorpusRoundTrip, SaveKeepsWhatTheFileSaid) {
    const std::string path = file(std::string(FileNamePart(GetParam().file, PathStyle::Posix)));
    fakes::TempFolder::Write(path, fakes::TempFolder::Read(std::string(TALVEX_TEST_DATA) + "/" + GetParam().file));
    ASSERT_TRUE(ws().OpenFile(path));
    ASSERT_EQ(ws().current().Kind, GetParam().kind);
    const std::vector<std::string> opened = testing::Snapshot(currentJob());
    currentJob().optionChanged(); // a save without a change must not change what the file says
    ASSERT_TRUE(ws().Save());
    EXPECT_TRUE(ui.saveRequests.empty());
    EXPECT_EQ(currentJob().jobFilePath(), path);

    const std::string saved = fakes::TempFolder::Read(path);
    for (const std::string& word : GetParam().kept) {
        EXPECT_NE(saved.find(word), std::string::npos) << word << " in\n" << saved;
    }
    ui.answers.push_back(Answer::Yes); // load it again although it is open
    ASSERT_TRUE(ws().OpenFile(path));
    EXPECT_EQ(testing::Snapshot(currentJob()), opened);
}

INSTANTIATE_TEST_SUITE_P(
    Corpus, CorpusRoundTrip,
    ::testing::Values(
        CorpusCase{"corpus/robocopy-saved-twice.rcj",
                   ScriptKind::JobFile,
                   {"/SD:\\\\nas\\fotos", "/DD:e:\\Sicherung\\Fotos", "/DCOPY:DA ", "/MT:8 ", "/XD\r\n", "@Recycle\r\n",
                    "Thumbnails Cache\r\n", ".DS_Store\r\n", "/UNILOG+:e:\\Logs\\fotos.log", "      /BYTES\r\n"}},
        CorpusCase{"corpus/template-by-hand.rcj",
                   ScriptKind::JobFile,
                   {"/SD:Projekte\r\n", "/DD:<Ziel>\\Projekte\r\n", "/MIR ", "/R:0 ", "/W:0 ", "/NP ", "/NDL ",
                    "node_modules\r\n", "      bin\r\n", "      Alte Sachen\r\n", "      Neuer Ordner (2)\r\n",
                    "      *.tmp\r\n", "      ~$*\r\n", "/LOG:%Temp%\\projekte.log", "/MT:32 ", "/DCOPY:DAT ",
                    "      /J\r\n      /NOOFFLOAD\r\n"}},
        CorpusCase{"corpus/nightly.bat",
                   ScriptKind::CommandBatch,
                   {"\"%~dp0Daten\" \"%1\" ", "/XD \"Alte Sachen\" node_modules",
                    "/LOG+:\"%Temp%\\sicherung_%date:~-4,4%.log\"", "/R:0 /W:0", "/DCOPY:DAT /MT:16", " /NP", " /XJD"}},
        CorpusCase{"corpus/two-lines.cmd",
                   ScriptKind::CommandBatch,
                   {"\"C:\\Users\\Anna\\Documents\" \"\\\\nas\\backup\\%USERNAME% Dokumente\"", " /S ", "/COPY:DAT",
                    "/IF *.docx *.xlsx", "/XF ~$*", "/LOG:\"C:\\Logs\\sicher.log\"", "/TEE", " /SJ"}}),
    [](const auto& param) {
        std::string name(FileNamePart(param.param.file, PathStyle::Posix));
        std::erase_if(name, [](char c) { return c == '-' || c == '.'; });
        return name;
    });

// ---- save -------------------------------------------------------------------------------

TEST_F(WorkspaceTest, SaveOfANewJobAsksForFileAndLayout) {
    ws();
    fillJob("C:\\a", "D:\\b");
    chooseSave(file("neu"), 2);
    ASSERT_TRUE(ws().Save());
    ASSERT_EQ(ui.saveRequests.size(), 1u);
    EXPECT_EQ(ui.saveRequests[0].title, "Einstellungen speichern.");
    EXPECT_EQ(ui.saveRequests[0].optionLabel, "Robocopy mitspeichern.");
    EXPECT_EQ(ws().current().Kind, ScriptKind::CommandBatch);
    EXPECT_EQ(currentJob().jobFilePath(), file("neu.cmd"));
    EXPECT_TRUE(std::filesystem::exists(file("neu.cmd")));
    EXPECT_TRUE(ws().commandStates().saveAs);
    EXPECT_FALSE(ws().commandStates().save);
    EXPECT_TRUE(store.readString("Scripte", "0", "") == file("neu.cmd"));

    // Saving again writes without asking.
    currentJob().setTicked(C::chb_KS, true);
    ASSERT_TRUE(ws().Save());
    EXPECT_EQ(ui.saveRequests.size(), 1u);
}

// A scheduled "run.bat" must run the saved options: Save writes back to the file that was opened,
// whatever layout its extension usually stands for.
TEST_F(WorkspaceTest, SaveWritesBackToTheOpenedFile) {
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        {"run.bat", "robocopy \"C:\\a\" \"D:\\b\" /MIR\r\n", "run.cmd"},
        {"job.txt", "/SD:C:\\a\r\n/DD:D:\\b\r\n/MIR\r\n", "job.rcj"},
    };
    for (const auto& [name, contents, notWritten] : cases) {
        SCOPED_TRACE(name);
        fakes::TempFolder::Write(file(name), contents);
        ASSERT_TRUE(ws().OpenFile(file(name)));
        currentJob().setTicked(C::chb_LNP, true);
        ASSERT_TRUE(ws().Save());
        EXPECT_TRUE(ui.saveRequests.empty());
        EXPECT_EQ(currentJob().jobFilePath(), file(name));
        EXPECT_NE(fakes::TempFolder::Read(file(name)).find("/NP"), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(file(notWritten)));
    }
}

// A user who only reads "an error occurred" cannot tell a full disk from a missing folder.
TEST_F(WorkspaceTest, FailedSaveTellsWhyAndKeepsTheJobModified) {
    fakes::FullDisk disk;
    files = &disk;
    struct Case {
        const char* name;
        std::string path;
        int filter;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {"folder missing", file("fehlt/a.rcj"), 0, file("fehlt/a.rcj") + ": Der Pfad wurde nicht gefunden"},
        {"disk full", file("voll.rcj"), 0, file("voll.rcj") + ": Der Datenträger ist voll"},
        {"disk full under a batch", file("voll.bat"), 1, file("voll.bat.rcj") + ": Der Datenträger ist voll"},
        {"command line throws", file("datum.cmd"), 2, "Unerwarteter Fehler: no date"},
    };
    ws();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fakes::TempFolder::Write(file("voll.rcj"), "/MIR\r\n");
        disk.only = "voll";
        formats.failDate = c.reason.starts_with("Unerwartet");
        fillJob("C:\\a", "D:\\b");
        currentLog().clear();
        ui.messages.clear();
        chooseSave(c.path, c.filter);
        EXPECT_FALSE(ws().SaveAs());
        EXPECT_TRUE(currentJob().modifiedFlag());
        // Nothing was written, so the job keeps its name (none) and its tab caption.
        EXPECT_EQ(currentJob().jobFilePath(), "");
        EXPECT_EQ(ws().jobs().tabCaption(0), "*.rcj");
        EXPECT_TRUE(currentLog().contains("Beim Schreiben der Datei ist ein Fehler aufgetreten.", LogColour::Red));
        EXPECT_TRUE(currentLog().contains(c.reason, LogColour::Red));
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
        EXPECT_NE(ui.messages[0].text.find(c.reason), std::string::npos);
        EXPECT_EQ(fakes::TempFolder::Read(file("voll.rcj")), "/MIR\r\n");
    }
    EXPECT_FALSE(store.sectionExists("Scripte"));
}

TEST_F(WorkspaceTest, RobocopyIsCopiedBesideTheJobUnlessOneIsThere) {
    fakes::TempFolder::Write(file(std::string(kRobocopyFileName)), "engine");
    fakes::TempFolder jobs;
    ws();
    fillJob("C:\\a", "D:\\b");
    chooseSave(jobs.file("a.rcj"), 0, true);
    ASSERT_TRUE(ws().Save());
    EXPECT_EQ(fakes::TempFolder::Read(jobs.file(std::string(kRobocopyFileName))), "engine");
    EXPECT_TRUE(currentLog().contains("Die Robocopy.exe wurde in das Jobverzeichnis kopiert.", LogColour::Black));
    EXPECT_TRUE(store.readBool("Settings", "CopyRobo", false));

    chooseSave(jobs.file("b.rcj"), 0, true);
    ASSERT_TRUE(ws().SaveAs());
    EXPECT_TRUE(ui.saveRequests.back().optionChecked);
    EXPECT_TRUE(currentLog().contains("Im Jobverzeichnis existiert bereits eine RoboCopy.exe.", LogColour::Black));
}

// ---- exit -------------------------------------------------------------------------------

TEST_F(WorkspaceTest, ExitAsksEveryModifiedJobAndCancelKeepsTheProgramOpen) {
    ws();
    currentJob().setTicked(C::chb_KZ, true);
    ws().New();
    ws().New();
    currentJob().setTicked(C::chb_KS, true);
    ui.answers = {Answer::Cancel, Answer::No};
    EXPECT_FALSE(ws().Exit());
    EXPECT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ws().jobs().CurrentJob(), 2);

    ui.answers = {Answer::No, Answer::No};
    EXPECT_TRUE(ws().Exit());
}

// ---- the default job --------------------------------------------------------------------

TEST_F(WorkspaceTest, DefaultJobSavedTwiceAndLoadedIntoNewJobs) {
    ws();
    EXPECT_FALSE(ws().defaultJobMenu().loadEnabled);
    fillJob("C:\\a", "D:\\b");
    ws().SaveDefaultJob();
    currentJob().setTicked(C::chb_KZ, true);
    ws().SaveDefaultJob();
    // Recognised by the header the writer gives it, not only by its name.
    EXPECT_EQ(DetectScriptKind(ws().defaultJobPath()), ScriptKind::DefaultJob);
    EXPECT_EQ(FileNamePart(ws().defaultJobPath()).front(), '~');
    EXPECT_FALSE(currentJob().modifiedFlag());
    EXPECT_TRUE(ws().defaultJobMenu().loadEnabled);
    EXPECT_TRUE(ws().defaultJobMenu().newWithDefaultsChecked);

    // New jobs get it silently.
    ws().New();
    EXPECT_TRUE(currentJob().IsOptionSet(C::chb_KZ));
    EXPECT_FALSE(currentJob().modifiedFlag());
    EXPECT_TRUE(currentLog().contains("Voreinstellungen laden.", LogColour::Black));
    EXPECT_FALSE(currentLog().contains("Einstellungen zurückgesetzt.", LogColour::Red));
    EXPECT_FALSE(currentLog().contains("...geladen.", LogColour::Green));

    // Loading it on request says so.
    currentJob().setTicked(C::chb_KZ, false);
    ui.answers.push_back(Answer::No);
    ws().LoadDefaultJob(false);
    EXPECT_TRUE(currentJob().IsOptionSet(C::chb_KZ));
    EXPECT_TRUE(currentLog().contains("Einstellungen zurückgesetzt.", LogColour::Red));
    EXPECT_TRUE(currentLog().contains("...geladen.", LogColour::Green));

    ws().ToggleNewWithDefaults();
    EXPECT_FALSE(store.readBool("Settings", "New", true));
    ws().New();
    EXPECT_FALSE(currentJob().IsOptionSet(C::chb_KZ));
}

TEST_F(WorkspaceTest, DefaultJobThatIsNoDefaultJobIsNotLoaded) {
    fakes::TempFolder::Write(file(std::string(kDefaultJobFileName)), "/MIR\r\n");
    ws();
    EXPECT_TRUE(ws().defaultJobMenu().newWithDefaultsChecked);
    EXPECT_FALSE(currentJob().IsOptionSet(C::chb_KMIR));
    EXPECT_FALSE(currentJob().modifiedFlag());
}

TEST_F(WorkspaceTest, DeleteDefaultJobAsksFirst) {
    ws();
    ws().SaveDefaultJob();
    ui.answers.push_back(Answer::No);
    ws().DeleteDefaultJob();
    EXPECT_TRUE(std::filesystem::exists(ws().defaultJobPath()));
    EXPECT_TRUE(currentLog().contains("Der Vorgang wurde abgebrochen.", LogColour::Red));
    ui.answers.push_back(Answer::Yes);
    ws().DeleteDefaultJob();
    EXPECT_EQ(ui.messages.back().text, "Sollen die Voreinstellungen\r\nwirklich gelöscht werden?");
    EXPECT_FALSE(std::filesystem::exists(ws().defaultJobPath()));
    EXPECT_TRUE(currentLog().contains("Die Voreinstellungen wurden gelöscht.", LogColour::Blue));
    EXPECT_FALSE(ws().defaultJobMenu().loadEnabled);
}

} // namespace
} // namespace talvex::workspace
