// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/settings/IniStore.h"
#include "core/settings/PathSettings.h"
#include "gui/jobwindow/Tfrm_Job.h"

class QAction;
class QLabel;
class QMenu;
class QTimer;
class QToolButton;

namespace talvex::gui {

/// One open job: where it came from, its number in a multi-job batch file and its window. The
/// tab buttons belong to the slots of the strip, not to the entries (closing a job moves the
/// entries above it down one slot, and the tabs keep their places).
struct JobEntry {
    std::uint8_t kind = 1; ///< 1 job file (also a new job), 2-4 single-job kinds, 5/6 multi-job batches, 255 unknown
    std::uint8_t number = 0;
    QPointer<Tfrm_Job> form;
};

/// The main window: the column of command buttons on the left, the open jobs' windows, the tab
/// strip with one button per job, the status bar with clock and robocopy version, and the menus.
/// Commands act on the current job. The 100 ms timer mirrors the current job's flags into Start,
/// Save and Save As and its tab caption.
class JobRunControl;

class Tfrm_Haupt final : public QMainWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tfrm_Haupt)

public:
    /// Opens the settings store "Talvex.ini" in `settingsFolder` (none when it is empty) and the
    /// first job. The store is written back when the window closes.
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

    [[nodiscard]] int jobCount() const { return static_cast<int>(m_jobs.size()); }
    [[nodiscard]] int currentJobIndex() const { return m_current; }
    [[nodiscard]] Tfrm_Job* currentJob() const;
    [[nodiscard]] const JobEntry& job(int index) const { return m_jobs.at(static_cast<std::size_t>(index)); }
    [[nodiscard]] QToolButton* tabButton(int index) const { return m_tabs.at(static_cast<std::size_t>(index)); }

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
    void buildFrame();
    void buildMenus();
    void openSettings();
    void layoutFrame();
    void layoutTabs();
    void onCloseCommand();
    void onStartCommand();
    void onRunModeChosen(QAction* item);
    void onRunChanged();
    void onImageViewToggled(bool on);
    void onTooltippsToggled(bool on);
    /// Asks about a modified job; false when the user wants to keep it open.
    [[nodiscard]] bool mayClose(Tfrm_Job& job);

    JobWindowServices m_services;
    std::string m_settingsFolder;
    settings::IniStore m_store;
    std::unique_ptr<settings::PathSettings> m_paths;
    std::vector<JobEntry> m_jobs;
    std::vector<QToolButton*> m_tabs;
    int m_current = -1;
    int m_startStopState = 0;       ///< 0 idle, 1 while a run is in progress
    long long m_windowMode = 0;     ///< how robocopy's console is shown: 0 hidden ... 3 maximised
    long long m_jobMode = 0;        ///< 0 command line, 1 temporary job file; others run nothing
    JobRunControl* m_run = nullptr; ///< none without format services (then Start stays disabled)
    bool m_closingConfirmed = false;

    QWidget* m_client = nullptr;
    QWidget* m_left = nullptr;
    QWidget* m_buttonPanel = nullptr;
    QWidget* m_jobArea = nullptr;
    QWidget* m_tabStrip = nullptr;
    QWidget* m_statusBar = nullptr;
    QLabel* m_clock = nullptr;
    QLabel* m_version = nullptr;
    QTimer* m_timer = nullptr;
};

} // namespace talvex::gui
