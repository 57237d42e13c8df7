// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <memory>
#include <string>
#include <vector>

#include "core/settings/IniStore.h"
#include "core/settings/PathSettings.h"
#include "core/workspace/JobList.h"
#include "gui/jobwindow/Tfrm_Job.h"

class QAction;
class QLabel;
class QMenu;
class QTimer;
class QToolButton;

namespace talvex::workspace {
class Workspace;
}

namespace talvex::gui {

class FontTextMeasurer;
class JobRunControl;

/// The main window: the column of command buttons on the left, the open jobs' windows, the tab
/// strip with one button per job, the status bar with clock and robocopy version, and the menus.
/// The open jobs and every file command belong to the core's `Workspace`; the window forwards the
/// user's commands to it and mirrors its job list into job windows and tab buttons. The tab buttons
/// belong to the slots of the strip, not to the jobs (closing a job moves the jobs above it down one
/// slot, and the tabs keep their places). The 100 ms timer mirrors the current job's flags into
/// Start, Save and Save As and its tab caption.
class Tfrm_Haupt final : public QMainWindow, private workspace::JobListObserver {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tfrm_Haupt)

public:
    /// Opens the settings store "Talvex.ini" in `settingsFolder` (none when it is empty) and the
    /// first job. The store is written back when the window closes. `services.formats` is required.
    Tfrm_Haupt(const JobWindowServices& services, std::string settingsFolder, QWidget* parent = nullptr);
    ~Tfrm_Haupt() override;

    /// Appends a new, empty job, shows it and makes it current.
    void NewJob();
    /// Makes the job of tab `index` current and brings its window to the front.
    void SelectJob(int index);
    /// Removes the current job when more than one is open; job 0 becomes current.
    void CloseJob();
    /// Removes every job and opens one new job.
    void CloseAllJobs();

    [[nodiscard]] int jobCount() const;
    [[nodiscard]] int currentJobIndex() const;
    [[nodiscard]] Tfrm_Job* currentJob() const;
    [[nodiscard]] Tfrm_Job* jobWindow(int index) const;
    [[nodiscard]] QToolButton* tabButton(int index) const { return m_tabs.at(static_cast<std::size_t>(index)); }
    [[nodiscard]] workspace::Workspace& workspace() { return *m_workspace; }

    /// The version name of robocopy shown in the status bar (empty until it is identified).
    void setRobocopyVersion(const QString& versionName);

    /// Sets the captions that come from the message table (again after a change of language).
    void SetCaptions();

    /// One tick of the status timer: clock, and the current job's flags when they changed.
    void Timer1Timer();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // JobListObserver: the job list changed in the core.
    void jobAdded(std::size_t index) override;
    void jobRemoved(std::size_t index) override;
    void currentJobChanged(std::size_t index) override;
    void firstPageRequested(std::size_t index) override;

    void buildFrame();
    void buildMenus();
    void openSettings();
    void layoutFrame();
    void layoutTabs();
    /// Mirrors the current job's flags into Start, Save, Save As and its tab caption, and lowers its
    /// state-changed flag.
    void mirrorCurrentJob();
    /// Mirrors the enabled states of Save, Save As and "Mehrfach Job speichern".
    void refreshFileCommands();
    void refreshTabCaptions();
    void refreshDefaultJobMenu();
    void fillRecentMenu();
    /// Runs a file command of the workspace unless a run is in progress, then mirrors its outcome.
    template <typename Command>
    void runFileCommand(Command command);
    void onStartCommand();
    void onRunModeChosen(QAction* item);
    void onRunChanged();
    void onImageViewToggled(bool on);
    void onTooltippsToggled(bool on);

    JobWindowServices m_services;
    std::string m_settingsFolder;
    settings::IniStore m_store;
    std::unique_ptr<settings::PathSettings> m_paths;
    std::unique_ptr<FontTextMeasurer> m_measurer;
    std::unique_ptr<workspace::Workspace> m_workspace;
    std::vector<QToolButton*> m_tabs;
    int m_startStopState = 0;   ///< 0 idle, 1 while a run is in progress
    long long m_windowMode = 0; ///< how robocopy's console is shown: 0 hidden ... 3 maximised
    long long m_jobMode = 0;    ///< 0 command line, 1 temporary job file; others run nothing
    JobRunControl* m_run = nullptr;

    QWidget* m_client = nullptr;
    QWidget* m_left = nullptr;
    QWidget* m_buttonPanel = nullptr;
    QWidget* m_jobArea = nullptr;
    QWidget* m_tabStrip = nullptr;
    QWidget* m_statusBar = nullptr;
    QLabel* m_clock = nullptr;
    QLabel* m_version = nullptr;
    QMenu* m_recent = nullptr;
    QTimer* m_timer = nullptr;
};

} // namespace talvex::gui
