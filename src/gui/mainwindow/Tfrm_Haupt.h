// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <memory>
#include <vector>

#include "core/presentation/Languages.h"
#include "core/workspace/JobList.h"
#include "gui/jobwindow/Tfrm_Job.h"

class QLabel;
class QTimer;
class QToolButton;

namespace talvex::session {
class Session;
}
namespace talvex::workspace {
class Workspace;
}

namespace talvex::gui {

class JobRunControl;
class JobTabStrip;
class LanguageMenu;
class MainCommands;
class RunFeedback;

/// The main window: the column of command buttons on the left, the open jobs' windows, the tab
/// strip with one button per job, the status bar with clock and robocopy version, and the menus.
/// It shows the session it is given: the open jobs and every file command belong to the session's
/// workspace, and the window keeps one job window per job of its list. The 100 ms timer mirrors
/// the current job's flags into Start, Save and Save As and its tab caption.
class Tfrm_Haupt final : public QMainWindow, private workspace::JobListObserver {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tfrm_Haupt)

public:
    /// `session` must outlive the window. The job windows get `services`, with the session's path
    /// settings when it has a settings file. Its settings are written back when the window closes.
    Tfrm_Haupt(session::Session& session, JobWindowServices services, QWidget* parent = nullptr);
    ~Tfrm_Haupt() override;

    /// Appends a new, empty job, shows it and makes it current.
    void NewJob();
    /// Makes the job of tab `index` current and brings its window to the front.
    void SelectJob(int index);
    /// Removes the current job when more than one is open; job 0 becomes current.
    void CloseJob();
    /// Removes every job and opens one new job.
    void CloseAllJobs();
    /// Opens job and batch files as "Öffnen" does: from the command line and dropped on the window.
    void openFiles(const std::vector<std::string>& files);

    [[nodiscard]] int jobCount() const;
    [[nodiscard]] int currentJobIndex() const;
    [[nodiscard]] Tfrm_Job* currentJob() const;
    [[nodiscard]] Tfrm_Job* jobWindow(int index) const;
    [[nodiscard]] QToolButton* tabButton(int index) const;
    [[nodiscard]] workspace::Workspace& workspace();

    /// The version name of robocopy shown in the status bar (empty until it is identified).
    void setRobocopyVersion(const QString& versionName);
    /// Whether that robocopy is the bundled engine; the job windows' hints follow.
    void setBundledEngine(bool on);

    /// Sets the captions that come from the message table (again after a change of language).
    void SetCaptions();

    /// Fills the language menu, then chooses the language the settings remember, when it is listed.
    void BuildLanguageMenu(const std::vector<presentation::Language>& languages);

    /// Renews every text of the window in the current language; its job windows renew their own.
    void retranslate();

    /// Shows the about box modally.
    void showInfoBox();

    /// One tick of the status timer: clock, and the current job's flags when they changed.
    void Timer1Timer();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // JobListObserver: the job list changed in the core.
    void jobAdded(std::size_t index) override;
    void jobAboutToBeRemoved(std::size_t index) override;
    void jobRemoved(std::size_t index) override;
    void currentJobChanged(std::size_t index) override;
    void firstPageRequested(std::size_t index) override;

    void buildFrame();
    void connectCommands();
    void restoreSettings();
    void layoutFrame();
    /// Mirrors the current job's flags into Start, Save, Save As and its tab caption, and lowers its
    /// state-changed flag.
    void mirrorCurrentJob();
    /// Mirrors the enabled states of Save, Save As and "Mehrfach Job speichern".
    void refreshFileCommands();
    void refreshTabCaptions();
    void refreshDefaultJobMenu();
    void fillRecentMenu();
    /// Runs a file command of the workspace, then mirrors its outcome.
    template <typename Command>
    void runFileCommand(Command command);
    /// The next (1) or previous (-1) job, wrapping around at the ends.
    void selectNeighbourJob(int step);
    void onRunModeChosen(QAction* item);
    void onRunChanged();
    void onImageViewToggled(bool on);
    void onTooltippsToggled(bool on);
    void onLanguageChosen(const QString& caption);

    session::Session& m_session;
    JobWindowServices m_services;
    /// One window per job of the session's list, in the same order.
    std::vector<std::unique_ptr<Tfrm_Job>> m_jobWindows;

    QWidget* m_client = nullptr;
    QWidget* m_left = nullptr;
    QWidget* m_buttonPanel = nullptr;
    QWidget* m_jobArea = nullptr;
    JobTabStrip* m_tabs = nullptr;
    QWidget* m_statusBar = nullptr;
    QLabel* m_clock = nullptr;
    QLabel* m_version = nullptr;
    QTimer* m_timer = nullptr;
    MainCommands* m_commands = nullptr;
    JobRunControl* m_run = nullptr;
    LanguageMenu* m_languages = nullptr;
    RunFeedback* m_feedback = nullptr;
};

} // namespace talvex::gui
