// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/exec/JobExecutor.h"
#include "core/exec/JobSteps.h"
#include "core/formats/FormatServices.h"
#include "core/options/JobEnvironment.h"
#include "core/services/PathDisplay.h"
#include "core/services/UserInterface.h"
#include "core/session/JobLog.h"
#include "core/settings/IniStore.h"
#include "core/settings/PathSettings.h"
#include "core/settings/ProgramSettings.h"
#include "core/workspace/Workspace.h"
#include "platform/ChildProcess.h"
#include "platform/Clock.h"

namespace talvex::session {

/// The services of the running program, made by its entry point (or by a test). Every reference
/// must outlive the session.
struct SessionServices {
    options::JobEnvironment& environment;
    const formats::FormatServices& formats;
    UserInterface& ui;
    /// Measures texts for the paths shortened in message boxes.
    const TextMeasurer& measurer;
    /// Runs robocopy and the image and burn tools, one child at a time.
    platform::ChildProcess& process;
    const platform::Clock& clock;
    exec::MediaSteps& media;
    /// Holds "Talvex.ini", the default job and the temporary job file; empty when none could be
    /// found or made, and then nothing is written back at shutdown.
    std::string settingsFolder;
    /// Where file dialogs start when nothing better is remembered.
    std::string documentsFolder;
    /// Searched, after the settings folder, for the robocopy that is copied beside a saved job.
    std::vector<std::string> systemFolders;
    /// Waits between attempts to delete an old temporary job file; empty sleeps.
    platform::Wait wait = {};
    /// Asks before a run deletes; none refuses such runs while asking is switched on.
    exec::DeletionQuestions* questions = nullptr;
};

/// The program as one object: the settings store over "Talvex.ini" with its path and plain
/// settings, the open jobs with their file commands, and the one job executor. The user interface
/// shows what it holds and forwards the user's commands to it; nothing here knows a widget.
class Session final {
public:
    /// Opens the settings store (an empty one without a settings folder) and the first job.
    explicit Session(SessionServices services);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    ~Session();

    [[nodiscard]] const SessionServices& services() const { return m_services; }
    [[nodiscard]] const std::string& settingsFolder() const { return m_services.settingsFolder; }
    /// Whether the settings reach a file at shutdown.
    [[nodiscard]] bool hasSettingsFile() const { return !m_services.settingsFolder.empty(); }

    [[nodiscard]] settings::IniStore& store() { return m_store; }
    [[nodiscard]] settings::PathSettings& paths() { return m_paths; }
    [[nodiscard]] settings::ProgramSettings& settings() { return m_settings; }
    [[nodiscard]] workspace::Workspace& workspace() { return *m_workspace; }
    [[nodiscard]] workspace::JobList& jobs() { return m_workspace->jobs(); }
    [[nodiscard]] exec::JobExecutor& executor() { return m_executor; }
    [[nodiscard]] const exec::JobExecutor& executor() const { return m_executor; }

    /// The log of an open job, to attach its window's log view to; none for a job not in the list.
    [[nodiscard]] JobLog* jobLog(const options::JobState& job);

    /// The Start/Stop action on the current job with the run modes of the settings.
    void startOrStopCurrentJob();
    /// Runs the current job with /L only, when nothing runs.
    void simulateCurrentJob();

    /// Stops a run in progress and waits for its end (at shutdown, where no event loop follows).
    void stopAndWait();

    /// Writes the settings store back to "Talvex.ini"; the user is told when that fails. True when
    /// written or when there is no settings file to write.
    [[nodiscard]] bool saveSettings();

private:
    SessionServices m_services;
    settings::IniStore m_store;
    settings::PathSettings m_paths;
    settings::ProgramSettings m_settings;
    std::unordered_map<const options::JobState*, JobLog*> m_logs;
    exec::JobExecutor m_executor;
    /// Last, so that its jobs (and their logs) go while everything above still exists.
    std::unique_ptr<workspace::Workspace> m_workspace;
};

} // namespace talvex::session
