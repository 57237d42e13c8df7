// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/Session.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/settings/SettingsFolder.h"
#include "core/workspace/WorkspaceFixture.h"
#include "fakes/FakeSessionServices.h"
#include "fakes/RecordingLogSink.h"
#include "fakes/TempFolder.h"

namespace talvex::session {
namespace {

class SessionTest : public ::testing::Test {
protected:
    fakes::TempFolder folder;
    fakes::FakeSessionServices scripted;
    workspace::testing::CharacterMeasurer measurer;

    SessionServices services() { return scripted.sessionServices(measurer, folder.path().string()); }
};

TEST_F(SessionTest, JobLogHoldsLinesUntilItsViewComesAndDropsThemAfterIt) {
    JobLog log;
    fakes::RecordingLogSink view;
    log.appendLine("vorher", LogColour::Green);
    log.attach(&view);
    log.appendLine("danach", LogColour::Black);
    EXPECT_EQ(view.lines().size(), 2u);
    EXPECT_EQ(view.lines().front().text, "vorher");
    log.attach(nullptr);
    log.appendLine("weg", LogColour::Black);
    EXPECT_EQ(view.lines().size(), 2u);
}

TEST_F(SessionTest, RunOfTheCurrentJobReachesItsLogWithTheStoredModes) {
    settings::IniStore stored(settings::SettingsFilePath(folder.path().string()),
                              settings::IniEncoding::Utf16LeWithMark);
    stored.writeInteger("Execute", "Window", 1);
    stored.writeBool("Execute", "CountFirst", false);
    ASSERT_FALSE(stored.writeBack());
    Session session(services());
    options::JobState& job = *session.jobs().current().job;
    fakes::RecordingLogSink view;
    JobLog* log = session.jobLog(job);
    ASSERT_NE(log, nullptr);
    log->attach(&view);
    job.applySourceFolder("/srv/quelle", "ext4");
    job.applyDestinationFolder("/srv/ziel", "ext4");

    scripted.child.chunks = {"Zeile\n"};
    scripted.child.endsByItself = false;
    session.startOrStopCurrentJob();
    ASSERT_TRUE(session.executor().running());
    EXPECT_TRUE(session.executor().poll(0));
    EXPECT_EQ(scripted.child.startOptions.at(0).showMode, platform::ShowMode::Normal);
    // Shutting down stops the run and waits for its end.
    session.stopAndWait();
    EXPECT_FALSE(session.executor().running());
    EXPECT_EQ(scripted.child.terminations, 1);
    const std::vector<std::string> lines = view.texts();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Zeile"), lines.end());

    // A job that goes takes its log along.
    session.workspace().New();
    session.workspace().SelectJob(0);
    session.workspace().CloseJob();
    EXPECT_EQ(session.jobLog(job), nullptr);
}

} // namespace
} // namespace talvex::session
