// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/Session.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "core/settings/SaveSettings.h"
#include "core/settings/SettingsFolder.h"
#include "platform/PathText.h"

namespace talvex::session {

namespace {

constexpr int kShutdownPollMs = 50;

// A file that exists but cannot be read gives an empty store that refuses to be written back, so
// settings the program never saw are not replaced at shutdown.
settings::IniStore OpenStore(const std::string& settingsFolder) {
    if (settingsFolder.empty()) {
        return {};
    }
    return settings::IniStore::Open(settings::SettingsFilePath(settingsFolder), settings::IniEncoding::Utf16LeWithMark)
        .store;
}

// Without a settings folder a run still needs somewhere for its temporary job file.
std::string RunFolder(const std::string& settingsFolder) {
    if (!settingsFolder.empty()) {
        return settingsFolder;
    }
    std::error_code error;
    return platform::Utf8FromPath(std::filesystem::temp_directory_path(error));
}

} // namespace

Session::Session(SessionServices services)
    : m_services(std::move(services)), m_store(OpenStore(m_services.settingsFolder)),
      m_paths(m_store, m_services.settingsFolder), m_settings(m_store),
      m_executor({m_services.process, m_services.formats, m_services.clock, m_services.media,
                  RunFolder(m_services.settingsFolder), m_services.wait, m_services.questions}) {
    workspace::WorkspaceServices core{.environment = m_services.environment,
                                      .formats = m_services.formats,
                                      .store = m_store,
                                      .paths = m_paths,
                                      .ui = m_services.ui,
                                      .measurer = m_services.measurer,
                                      .documentsFolder = m_services.documentsFolder,
                                      .systemFolders = m_services.systemFolders};
    m_workspace = std::make_unique<workspace::Workspace>(std::move(core), [this](options::JobState& job) {
        // A new job is as its window shows it first (no source, no destination), before a file or
        // the default job is read into it.
        job.prepareForShow();
        auto log = std::make_unique<JobLog>([this, key = &job] { m_logs.erase(key); });
        m_logs[&job] = log.get();
        return log;
    });
}

Session::~Session() {
    // The run writes into a job's log, which goes with the workspace.
    stopAndWait();
}

JobLog* Session::jobLog(const options::JobState& job) {
    const auto found = m_logs.find(&job);
    return found == m_logs.end() ? nullptr : found->second;
}

void Session::startOrStopCurrentJob() {
    workspace::JobEntry& entry = m_workspace->current();
    m_executor.ExecuteJob(*entry.job, *entry.log, static_cast<exec::JobMode>(m_settings.runMode()),
                          static_cast<platform::ShowMode>(m_settings.robocopyWindow()),
                          {.askBeforeDeleting = m_settings.askBeforeDeleting(), .countFirst = m_settings.countFirst()});
}

void Session::simulateCurrentJob() {
    if (m_executor.running()) {
        return;
    }
    workspace::JobEntry& entry = m_workspace->current();
    m_executor.ExecuteJob(*entry.job, *entry.log, exec::JobMode::CommandLine, platform::ShowMode::Hidden,
                          {.simulate = true});
}

void Session::stopAndWait() {
    if (!m_executor.running()) {
        return;
    }
    // While a run goes on, Start/Stop stops it whichever job is current.
    startOrStopCurrentJob();
    // The child is killed after a short grace at the latest, so this ends.
    while (m_executor.poll(kShutdownPollMs)) {
    }
}

bool Session::saveSettings() {
    return !hasSettingsFile() || settings::SaveSettings(m_store, m_services.ui);
}

} // namespace talvex::session
