// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "core/formats/CommandLineBuilder.h"
#include "core/formats/JobFileWriter.h"
#include "core/options/Control.h"
#include "core/services/PathDisplay.h"
#include "core/settings/IniStore.h"
#include "core/settings/PathSettings.h"
#include "core/workspace/Workspace.h"
#include "fakes/FakeFormatServices.h"
#include "fakes/FakeJobEnvironment.h"
#include "fakes/RecordingLogSink.h"
#include "fakes/ScriptedUserInterface.h"
#include "fakes/TempFolder.h"

namespace talvex::workspace::testing {

/// Every character one pixel wide, so nothing is shortened in the tests' message boxes.
class CharacterMeasurer final : public TextMeasurer {
public:
    [[nodiscard]] int width(std::string_view utf8) const override { return static_cast<int>(utf8.size()); }
};

/// What a job's options are, as far as a file can hold them: its job file and its command line.
inline std::vector<std::string> Snapshot(const options::JobState& job) {
    fakes::FakeFormatServices services;
    NullLogSink log;
    formats::LineList jobFile;
    formats::LineList commandLine;
    EXPECT_TRUE(formats::WriteJobFile(job, "snapshot.rcj", jobFile, log, services));
    EXPECT_TRUE(formats::BuildCommandLine(job, commandLine, log, services));
    // Headings of empty sections depend on unset boxes; the switch lines are what a file holds.
    std::vector<std::string> lines;
    for (const std::string& line : jobFile) {
        if (line.find_first_not_of(' ') != std::string::npos && line[line.find_first_not_of(' ')] == '/') {
            lines.push_back(line);
        }
    }
    lines.insert(lines.end(), commandLine.begin(), commandLine.end());
    return lines;
}

/// A workspace over a fresh settings folder, with scripted answers and a recorded log per job.
class WorkspaceFixture : public ::testing::Test {
protected:
    WorkspaceFixture() { settingsFolder = folder.path().string(); }

    /// Made on first use, so a test can prepare settings and files before the first job exists.
    Workspace& ws() {
        if (!m_workspace) {
            WorkspaceServices services{
                environment, formats, store, paths, ui, measurer, documents.path().string(), {}, kNativePathStyle};
            services.systemFolders = systemFolders;
            services.files = files;
            m_workspace = std::make_unique<Workspace>(std::move(services), [this](options::JobState&) {
                auto sink = std::make_unique<fakes::RecordingLogSink>();
                logs.push_back(sink.get());
                return sink;
            });
        }
        return *m_workspace;
    }

    options::JobState& job(std::size_t index) { return *ws().jobs().at(index).job; }
    options::JobState& currentJob() { return *ws().current().job; }
    /// The recorded log of the job at `index` now.
    fakes::RecordingLogSink& logOf(std::size_t index) {
        return static_cast<fakes::RecordingLogSink&>(*ws().jobs().at(index).log);
    }
    fakes::RecordingLogSink& currentLog() { return static_cast<fakes::RecordingLogSink&>(ws().log()); }

    std::string file(const std::string& name) const { return folder.file(name); }

    /// Gives the current job folders and a switch, as the user would.
    void fillJob(const std::string& source, const std::string& destination) {
        options::JobState& j = currentJob();
        j.setText(options::Control::edt_PSD, source);
        j.setTicked(options::Control::chb_PNoSD, false);
        j.setText(options::Control::edt_PDD, destination);
        j.setTicked(options::Control::chb_PNoDD, false);
        j.setTicked(options::Control::chb_KMIR, true);
    }

    void chooseSave(const std::string& path, int filter, bool copyRobocopy = false) {
        ui.saveChoices.push_back(FileDialogResult{path, filter, copyRobocopy});
    }

    fakes::TempFolder folder;
    fakes::TempFolder documents;
    std::string settingsFolder;
    fakes::FakeJobEnvironment environment;
    fakes::FakeFormatServices formats;
    settings::IniStore store;
    settings::PathSettings paths{store, folder.path().string()};
    fakes::ScriptedUserInterface ui;
    CharacterMeasurer measurer;
    std::vector<std::string> systemFolders;
    /// The system calls saves go through; set before the first `ws()` to inject faults.
    platform::FileIo* files = nullptr;
    std::vector<fakes::RecordingLogSink*> logs;

private:
    std::unique_ptr<Workspace> m_workspace;
};

} // namespace talvex::workspace::testing
