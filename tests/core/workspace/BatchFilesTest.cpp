// SPDX-License-Identifier: GPL-3.0-or-later
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "WorkspaceFixture.h"
#include "core/formats/TextLines.h"
#include "core/workspace/BatchReader.h"
#include "core/workspace/BatchWriter.h"
#include "fakes/FullDisk.h"

namespace talvex::workspace {
namespace {

using C = options::Control;
using testing::Snapshot;

formats::LineList Lines(const std::string& path) {
    Result<formats::LineList> loaded = formats::LoadTextLines(path);
    EXPECT_TRUE(loaded) << loaded.reason();
    return loaded ? std::move(*loaded) : formats::LineList{};
}

class BatchFilesTest : public testing::WorkspaceFixture {
protected:
    // Three jobs with distinct options, saved together by "Multi Job speichern".
    void threeJobs() {
        fillJob("C:\\Quelle0", "D:\\Ziel0");
        currentJob().setTicked(C::chb_KS, true);
        ws().New();
        fillJob("C:\\Quelle1", "D:\\Ziel1");
        currentJob().setTicked(C::chb_LNP, true);
        ws().New();
        fillJob("C:\\Quelle2", "D:\\Ziel2");
        currentJob().setTicked(C::chb_KZ, true);
    }
    // The three jobs saved together as `path` in the layout of `filter`.
    void saveThreeJobs(const std::string& path, int filter) {
        threeJobs();
        chooseSave(path, filter);
        ws().SaveAllJobs();
    }
};

TEST_F(BatchFilesTest, NewJobSavedAsBatchWritesJobFileAndCallLine) {
    ws();
    currentJob().setTicked(C::chb_KMIR, true);
    chooseSave(file("x.bat"), 1);
    ASSERT_TRUE(ws().Save());
    EXPECT_EQ(ws().current().Kind, ScriptKind::JobBatch);
    const formats::LineList batch = Lines(file("x.bat"));
    ASSERT_EQ(batch.size(), 2u);
    EXPECT_EQ(batch[0], "REM Erstellt mit Brenno's Talvex Version 1.0 am 05.12.2026 um 13:10:38");
    EXPECT_EQ(batch[1], "RoboCopy /JOB:\"" + file("x.bat.rcj") + "\"");
    EXPECT_EQ(DetectScriptKind(file("x.bat.rcj")), ScriptKind::JobFile);
    EXPECT_FALSE(currentJob().modifiedFlag());
    EXPECT_TRUE(currentLog().contains("Batchdatei unter " + file("x.bat") + " gespeichert.", LogColour::Blue));
}

// The folders follow the job file only when it leaves them out and they are given.
TEST_F(BatchFilesTest, FoldersOnTheJobLine) {
    ws();
    options::JobState& job = currentJob();
    job.setJobReferencePath("C:\\J\\a.rcj");
    fakes::RecordingLogSink log;
    formats::LineList lines;

    ASSERT_TRUE(job.isTicked(C::chb_PNoSD));
    ASSERT_TRUE(BuildJobBatchLines(job, lines, log, formats));
    EXPECT_EQ(lines[1], R"(RoboCopy /JOB:"C:\J\a.rcj")");

    job.setText(C::edt_PDD, "D:\\Ziel 100%");
    job.setTicked(C::chb_PNoDD, true);
    ASSERT_TRUE(BuildJobBatchLines(job, lines, log, formats));
    EXPECT_EQ(lines[1], R"(RoboCopy /JOB:"C:\J\a.rcj" "" "D:\Ziel 100%%")"); // the destination in its place

    job.setText(C::edt_PSD, "C:\\Q");
    ASSERT_TRUE(BuildJobBatchLines(job, lines, log, formats));
    EXPECT_EQ(lines[1], R"(RoboCopy /JOB:"C:\J\a.rcj" "C:\Q" "D:\Ziel 100%%")");
    EXPECT_TRUE(log.contains(lines[1], LogColour::Navy));

    job.setJobReferencePath("");
    EXPECT_FALSE(BuildJobBatchLines(job, lines, log, formats));
}

TEST_F(BatchFilesTest, ThreeJobMultiFileAndItsNumbers) {
    saveThreeJobs(file("alle.bat"), 0);
    const formats::LineList lines = Lines(file("alle.bat"));
    ASSERT_EQ(lines.size(), 1u + 3 * 3);
    for (std::size_t n = 0; n < 3; ++n) {
        EXPECT_EQ(lines[1 + 3 * n], "");
        EXPECT_EQ(lines[2 + 3 * n], "REM Job " + std::to_string(n));
        EXPECT_EQ(lines[3 + 3 * n], "CALL RoboCopy /JOB:\"" + file("alle." + std::to_string(n) + ".rcj") + "\"");
        EXPECT_EQ(ws().jobs().at(n).Number, n);
        EXPECT_EQ(ws().jobs().tabCaption(n), "alle.bat #" + std::to_string(n));
        EXPECT_FALSE(job(n).modifiedFlag());
    }
    EXPECT_EQ(DetectScriptKind(file("alle.bat")), ScriptKind::MultiJobBatch);
    EXPECT_EQ(ws().jobs().CurrentJob(), 0);
    EXPECT_TRUE(logOf(0).contains("Multi Batch erstellen", LogColour::Purple));

    // Saving again after a job was closed and one added must not point two CALL lines at one file.
    ws().SelectJob(1);
    ws().CloseJob();
    ws().New();
    fillJob("C:\\Quelle3", "D:\\Ziel3");
    chooseSave(file("alle.bat"), 0);
    ws().SaveAllJobs();
    const formats::LineList again = Lines(file("alle.bat"));
    ASSERT_EQ(again.size(), 1u + 3 * 3);
    const char* sources[] = {"C:\\Quelle0", "C:\\Quelle2", "C:\\Quelle3"};
    for (std::size_t n = 0; n < 3; ++n) {
        const std::string jobFile = file("alle." + std::to_string(n) + ".rcj");
        EXPECT_EQ(again[3 + 3 * n], "CALL RoboCopy /JOB:\"" + jobFile + "\"");
        EXPECT_NE(fakes::TempFolder::Read(jobFile).find(std::string("/SD:") + sources[n]), std::string::npos) << n;
    }
}

// A job of a multi-job file lives in its job file; a CALL line naming robocopy its own way stays.
TEST_F(BatchFilesTest, UpdateKeepsACallLineOfItsOwn) {
    saveThreeJobs(file("alle.bat"), 0);
    formats::LineList lines = Lines(file("alle.bat"));
    lines[6] = "CALL C:\\Tools\\robocopy.exe /JOB:\"" + file("alle.1.rcj") + "\"";
    ASSERT_TRUE(formats::SaveTextLines(file("alle.bat"), lines));
    ws().SelectJob(1);
    currentJob().setTicked(C::chb_KB, true);
    EXPECT_TRUE(ws().Save());
    EXPECT_EQ(Lines(file("alle.bat")), lines);
    EXPECT_NE(fakes::TempFolder::Read(file("alle.1.rcj")).find("/B "), std::string::npos);
    EXPECT_FALSE(currentJob().modifiedFlag());
    EXPECT_TRUE(currentLog().contains(
        "Die Zeile von Job 1 ruft Robocopy anders auf und bleibt unverändert: " + lines[6], LogColour::Black));
}

TEST_F(BatchFilesTest, JobWhoseLineCannotBeMadeIsLeftOut) {
    threeJobs();
    // Job 1's own job file cannot be written, so its line would call a file that is not there.
    job(1).setJobReferencePath(file("fehlt/ordner/eins.rcj"));
    chooseSave(file("alle.bat"), 0);
    ws().SaveAllJobs();
    const formats::LineList lines = Lines(file("alle.bat"));
    ASSERT_EQ(lines.size(), 1u + 2 * 3);
    EXPECT_EQ(lines[2], "REM Job 0");
    EXPECT_EQ(lines[5], "REM Job 2");
    EXPECT_TRUE(logOf(1).contains("Bei der Erstellung der Batchzeile ist ein Fehler aufgetreten.", LogColour::Red));
    EXPECT_TRUE(logOf(1).contains(file("fehlt/ordner/eins.rcj") + ": Der Pfad wurde nicht gefunden", LogColour::Red));
    EXPECT_TRUE(job(1).modifiedFlag());
}

TEST_F(BatchFilesTest, UpdateWithoutItsRemLineWritesNothing) {
    saveThreeJobs(file("alle.cmd"), 1);
    fakes::TempFolder::Write(file("alle.cmd"),
                             "REM Erstellt mit Brenno's Talvex\r\n\r\nREM Job 0\r\nCALL Robocopy a b\r\n");
    ws().SelectJob(2);
    currentJob().setTicked(C::chb_KB, true);
    EXPECT_FALSE(ws().Save());
    EXPECT_EQ(Lines(file("alle.cmd")).size(), 4u);
    EXPECT_TRUE(currentJob().modifiedFlag());
    EXPECT_TRUE(currentLog().contains("Beim Schreiben der Datei ist ein Fehler aufgetreten.", LogColour::Red));
}

// ---- round trips --------------------------------------------------------------------------

struct LayoutCase {
    const char* name;
    int filter;
    ScriptKind kind;
};

class SingleLayoutRoundTrip : public BatchFilesTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(SingleLayoutRoundTrip, ReopenedJobHasTheSameOptions) {
    ws();
    fillJob(file("Quelle 100%"), file("Ziel %PATH%"));
    currentJob().setTicked(C::chb_KR, true);
    currentJob().setText(C::edt_KR, "7");
    currentJob().setTicked(C::chb_LLOG, true);
    currentJob().setText(C::edt_LLOG, file("log 50%.txt"));
    currentJob().setNameListText("/XF\n*.tmp\nmein 1%.txt\n\n");
    chooseSave(file("job 1%"), GetParam().filter);
    ASSERT_TRUE(ws().Save());
    const std::vector<std::string> saved = Snapshot(currentJob());
    const std::string path = currentJob().jobFilePath();

    ws().New();
    ui.answers.push_back(Answer::Yes); // it is still open in the first tab
    ASSERT_TRUE(ws().OpenFile(path));
    EXPECT_EQ(ws().current().Kind, GetParam().kind);
    EXPECT_EQ(ws().jobs().CurrentJob(), 1);
    EXPECT_EQ(Snapshot(currentJob()), saved);
    EXPECT_FALSE(currentJob().modifiedFlag());
    EXPECT_TRUE(currentJob().saveAsFlag());
}

INSTANTIATE_TEST_SUITE_P(Layouts, SingleLayoutRoundTrip,
                         ::testing::Values(LayoutCase{"JobFile", 0, ScriptKind::JobFile},
                                           LayoutCase{"JobBatch", 1, ScriptKind::JobBatch},
                                           LayoutCase{"CommandBatch", 2, ScriptKind::CommandBatch}),
                         [](const auto& param) { return std::string(param.param.name); });

class MultiLayouts : public BatchFilesTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(MultiLayouts, ReopenIntoTabsNumberedByPosition) {
    threeJobs();
    job(1).setText(C::edt_PSD, file("Quelle 100%"));
    chooseSave(file("alle"), GetParam().filter);
    ws().SaveAllJobs();
    std::vector<std::vector<std::string>> saved;
    for (std::size_t n = 0; n < 3; ++n) {
        saved.push_back(Snapshot(job(n)));
    }
    const std::string path = job(0).jobFilePath();

    ws().CloseAllJobs();
    ASSERT_TRUE(ws().OpenFile(path));
    ASSERT_EQ(ws().jobs().size(), 3u);
    for (std::size_t n = 0; n < 3; ++n) {
        EXPECT_EQ(ws().jobs().at(n).Kind, GetParam().kind);
        EXPECT_EQ(ws().jobs().at(n).Number, n);
        EXPECT_EQ(Snapshot(job(n)), saved[n]) << n;
        EXPECT_EQ(job(n).jobFilePath(), path);
    }
}

// Saving one job of a multi-job file rewrites its own line (and job file) and nothing of the others.
TEST_P(MultiLayouts, SavingOneJobUpdatesOnlyItsPart) {
    saveThreeJobs(file("alle"), GetParam().filter);
    const std::string path = job(0).jobFilePath();
    const formats::LineList before = Lines(path);
    std::vector<std::vector<std::string>> saved;
    ws().SelectJob(1);
    currentJob().setText(C::edt_PDD, "E:\\Neu");
    ASSERT_TRUE(ws().Save());
    EXPECT_FALSE(currentJob().modifiedFlag());
    for (std::size_t n = 0; n < 3; ++n) {
        saved.push_back(Snapshot(job(n)));
    }
    const formats::LineList after = Lines(path);
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i) {
        // Line 6 is job 1's CALL line; the Batch/Job layout keeps it, naming the same job file.
        EXPECT_EQ(after[i] == before[i], i != 6 || GetParam().kind == ScriptKind::MultiJobBatch) << i;
    }
    ws().CloseAllJobs();
    ASSERT_TRUE(ws().OpenFile(path));
    for (std::size_t n = 0; n < 3; ++n) {
        EXPECT_EQ(Snapshot(job(n)), saved[n]) << n;
    }
}

// Listing a file that is not on disk as recent, or its jobs as saved, would lose them on exit.
TEST_P(MultiLayouts, FileThatCannotBeWrittenIsNeitherRememberedNorSaved) {
    fakes::TempFolder::Write(file(std::string(kRobocopyFileName)), "engine");
    const fakes::TempFolder target;
    fakes::FullDisk disk;
    disk.only =
        GetParam().filter == 0 ? ".alle.bat." : ".alle.cmd."; // the job files of the batch layout do get written
    files = &disk;
    threeJobs();
    chooseSave(target.file("alle"), GetParam().filter, true);
    ws().SaveAllJobs();
    const std::string path = job(0).jobFilePath();
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(std::filesystem::exists(target.file(std::string(kRobocopyFileName))));
    EXPECT_FALSE(store.sectionExists("Scripte"));
    for (std::size_t n = 0; n < 3; ++n) {
        EXPECT_TRUE(job(n).modifiedFlag()) << n;
    }
    const std::string reason = path + ": Der Datenträger ist voll";
    EXPECT_TRUE(logOf(0).contains(reason, LogColour::Red));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
    EXPECT_NE(ui.messages[0].text.find(reason), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Layouts, MultiLayouts,
                         ::testing::Values(LayoutCase{"MultiJob", 0, ScriptKind::MultiJobBatch},
                                           LayoutCase{"MultiCommand", 1, ScriptKind::MultiCommandBatch}),
                         [](const auto& param) { return std::string(param.param.name); });

// Every layout: write, read, write gives the same bytes in every file, and each folder comes back in
// its place (a trailing separator dropped, a root kept whole). A batch job line once wrote a
// destination without the empty source before it, and it was read back as the source.
struct AnyLayout {
    const char* name;
    int filter;
    bool multi;
};

class EveryLayoutRoundTrip : public BatchFilesTest, public ::testing::WithParamInterface<AnyLayout> {
protected:
    std::map<std::string, std::string> files() const {
        std::map<std::string, std::string> contents;
        for (const auto& entry : std::filesystem::directory_iterator(folder.file(""))) {
            contents[entry.path().filename().string()] = fakes::TempFolder::Read(entry.path().string());
        }
        return contents;
    }
    void save(const std::string& path) {
        chooseSave(path, GetParam().filter);
        if (GetParam().multi) {
            ws().SaveAllJobs();
        } else {
            ASSERT_TRUE(ws().SaveAs());
        }
    }
};

TEST_P(EveryLayoutRoundTrip, SameBytesAndFoldersInPlace) {
    struct Folder {
        std::string written;
        std::string read;
    };
    const std::vector<Folder> folders = {
        {"E:\\", "E:\\"},
        {"\\\\nas\\share\\", "\\\\nas\\share\\"},
        {"C:\\Daten\\", "C:\\Daten"},
        {"C:\\Mein Ordner 100% %PATH%", "C:\\Mein Ordner 100% %PATH%"},
        {"", ""},
    };
    int n = 0;
    for (const bool noSource : {false, true}) {
        for (const bool noDestination : {false, true}) {
            for (std::size_t i = 0; i < folders.size(); ++i) {
                const Folder& source = folders[i];
                const Folder& destination = folders[(i + 1) % folders.size()];
                const std::string name = file("rt" + std::to_string(n++));
                SCOPED_TRACE(name + " /NOSD " + std::to_string(noSource) + " /NODD " + std::to_string(noDestination) +
                             " " + source.written + " -> " + destination.written);
                ws().CloseAllJobs();
                const std::size_t jobs = GetParam().multi ? 2 : 1;
                for (std::size_t j = 0; j < jobs; ++j) {
                    if (j > 0) {
                        ws().New();
                    }
                    options::JobState& job = currentJob();
                    job.setText(C::edt_PSD, source.written);
                    job.setTicked(C::chb_PNoSD, noSource);
                    job.setText(C::edt_PDD, destination.written);
                    job.setTicked(C::chb_PNoDD, noDestination);
                    job.setTicked(C::chb_KMIR, j == 0);
                    // A new job has no retry box ticked; one read from a file has it ticked, and its
                    // heading is written even without a count.
                    job.setTicked(C::chb_KR, true);
                    job.setText(C::edt_KR, "3");
                }
                save(name);
                const std::string path = ws().current().job->jobFilePath();
                const std::map<std::string, std::string> first = files();
                std::vector<std::vector<std::string>> saved;
                for (std::size_t j = 0; j < jobs; ++j) {
                    saved.push_back(Snapshot(job(j)));
                }

                ws().CloseAllJobs();
                ASSERT_TRUE(ws().OpenFile(path)) << (ui.messages.empty() ? "" : ui.messages.back().text);
                ASSERT_EQ(ws().jobs().size(), jobs);
                // A job file alone has no place for a folder left out of it; a command line has no
                // /NOSD or /NODD: it names both folders.
                const bool lineless = GetParam().filter == 0 && !GetParam().multi;
                const bool commandLine = GetParam().filter == (GetParam().multi ? 1 : 2);
                for (std::size_t j = 0; j < jobs; ++j) {
                    EXPECT_EQ(job(j).sourcePath(), lineless && noSource ? "" : source.read) << j;
                    EXPECT_EQ(job(j).destinationPath(), lineless && noDestination ? "" : destination.read) << j;
                    if (!lineless && !commandLine) {
                        EXPECT_EQ(Snapshot(job(j)), saved[j]) << j;
                    }
                }
                ui.answers.push_back(Answer::Yes); // replace the file
                save(path);
                EXPECT_EQ(files(), first);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, EveryLayoutRoundTrip,
                         ::testing::Values(AnyLayout{"JobFile", 0, false}, AnyLayout{"JobBatch", 1, false},
                                           AnyLayout{"CommandBatch", 2, false}, AnyLayout{"MultiJob", 0, true},
                                           AnyLayout{"MultiCommand", 1, true}),
                         [](const auto& param) { return std::string(param.param.name); });

// ---- readers ------------------------------------------------------------------------------

TEST_F(BatchFilesTest, MissingJobFileIsTakenFromTheBatchFolderWhenConfirmed) {
    fakes::TempFolder::Write(file("weekly.rcj"), fakes::TempFolder::Read(std::string(TALVEX_TEST_DATA) +
                                                                         "/formats/saved-by-robocopy-nosd.rcj"));
    fakes::TempFolder::Write(
        file("typed.bat"), fakes::TempFolder::Read(std::string(TALVEX_TEST_DATA) + "/workspace/typed-by-hand-job.bat"));
    ui.answers.push_back(Answer::Yes);
    ASSERT_TRUE(ws().OpenFile(file("typed.bat")));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Die Datei C:\\Jobs\\weekly.rcj wurde nicht gefunden.\r\nSoll die Datei " +
                                       file("weekly.rcj") + " verwendet werden?");
    EXPECT_EQ(ws().current().Kind, ScriptKind::JobBatch);
    EXPECT_EQ(currentJob().jobReferencePath(), file("weekly.rcj"));
    EXPECT_EQ(currentJob().sourcePath(), "C:\\Users\\Anna");
    EXPECT_EQ(currentJob().destinationPath(), "E:\\Backup Anna");
    EXPECT_TRUE(currentJob().IsOptionSet(C::chb_KCopyAll));
    // The folders came from the batch line, so the job can be started.
    EXPECT_TRUE(currentJob().readyFlag());
}

TEST_F(BatchFilesTest, RefusedOrAbsentJobFileStopsReading) {
    fakes::TempFolder::Write(file("typed.bat"), "robocopy /JOB:\"C:\\Jobs\\weekly.rcj\"\r\n");
    ASSERT_TRUE(ws().OpenFile(file("typed.bat")));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(currentLog().contains("Die Datei C:\\Jobs\\weekly.rcj wurde nicht gefunden.", LogColour::Black));
    EXPECT_FALSE(currentJob().saveAsFlag());

    fakes::TempFolder::Write(file("weekly.rcj"), "/MIR\r\n");
    ui.answers.push_back(Answer::Yes); // load it again
    ui.answers.push_back(Answer::No);  // but not with the job file found beside it
    ws().New();
    ASSERT_TRUE(ws().OpenFile(file("typed.bat")));
    EXPECT_FALSE(currentJob().isTicked(C::chb_KMIR));
}

// Refusing the job file of job 1 stops the reading: job 2 is not opened.
TEST_F(BatchFilesTest, MultiJobReadingStopsAtRefusedJob) {
    fakes::TempFolder::Write(file("a.rcj"), "/MIR\r\n");
    fakes::TempFolder::Write(file("b.rcj"), "/S\r\n");
    fakes::TempFolder::Write(file("m.bat"), "REM Brenno's Talvex\r\n\r\nREM Job 0\r\nCALL RoboCopy /JOB:\"" +
                                                file("a.rcj") +
                                                "\"\r\n\r\nREM Job 1\r\nCALL RoboCopy /JOB:\"X:\\weg\\b.rcj\"\r\n"
                                                "\r\nREM Job 2\r\nCALL RoboCopy /JOB:\"" +
                                                file("b.rcj") + "\"\r\n");
    ui.answers.push_back(Answer::No);
    ASSERT_TRUE(ws().OpenFile(file("m.bat")));
    EXPECT_EQ(ws().jobs().size(), 2u);
    EXPECT_TRUE(job(0).IsOptionSet(C::chb_KMIR));
    // No number in "a.rcj": the job is numbered by its position, and the log says so.
    EXPECT_EQ(ws().jobs().at(0).Number, 0u);
    EXPECT_FALSE(logOf(0).lines().empty());
}

TEST(JobNumbers, FromRemLinesAndJobFileNames) {
    EXPECT_EQ(JobNumberOfRemLine("REM Job 12"), 12u);
    EXPECT_EQ(JobNumberOfRemLine("rem job 3 "), 3u);
    EXPECT_EQ(JobNumberOfRemLine("REM Job x"), std::nullopt);
    EXPECT_EQ(JobNumberOfRemLine("REM Job "), std::nullopt);
    EXPECT_EQ(JobNumberOfRemLine("echo 4"), std::nullopt);
    EXPECT_EQ(JobNumberOfRemLine("REM Job 99999999999"), std::nullopt);
    EXPECT_EQ(JobNumberOfReference(R"(C:\Jobs\alle.2.rcj)"), 2u);
    EXPECT_EQ(JobNumberOfReference("/home/a/alle.17.rcj"), 17u);
    EXPECT_EQ(JobNumberOfReference(R"(C:\Jobs\weekly.rcj)"), std::nullopt);
    EXPECT_EQ(JobNumberOfReference(R"(C:\v1.5\alle.rcj)"), std::nullopt);
}

TEST_F(BatchFilesTest, MultiCommandFileWithoutNumbersNumbersByPosition) {
    fakes::TempFolder::Write(file("m.cmd"), "REM Brenno's Talvex\r\n\r\nREM Job\r\nCALL Robocopy C:\\a D:\\b /S\r\n"
                                            "\r\nREM Job 7\r\nCALL Robocopy C:\\c D:\\d /E\r\n");
    ASSERT_TRUE(ws().OpenFile(file("m.cmd")));
    ASSERT_EQ(ws().jobs().size(), 2u);
    EXPECT_EQ(ws().jobs().at(0).Number, 0u);
    EXPECT_EQ(ws().jobs().at(1).Number, 7u);
    EXPECT_TRUE(logOf(0).contains("Der Job trägt in der Datei keine Nummer; er erhält seine Position 0 als Nummer.",
                                  LogColour::Black));
    EXPECT_TRUE(job(1).IsOptionSet(C::chb_KE));
    EXPECT_TRUE(logOf(0).contains("Einstellungen zurückgesetzt.", LogColour::Red));
    EXPECT_FALSE(logOf(1).contains("Einstellungen zurückgesetzt.", LogColour::Red));
}

} // namespace
} // namespace talvex::workspace
