// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "core/options/JobState.h"
#include "core/options/JobStateObserver.h"

class QKeyEvent;
class QLabel;
class QToolButton;

namespace talvex {
class LogSink;
namespace formats {
class FormatServices;
}
class UserInterface;
namespace platform {
class VolumeProbes;
}
namespace settings {
class IniStore;
class PathSettings;
} // namespace settings
} // namespace talvex

namespace talvex::gui {

class ImagePage;
class JobPageControl;
class LogView;
class PathFields;
class RunPanel;

/// What a job window needs from outside; everything must outlive the window.
struct JobWindowServices {
    options::JobEnvironment& environment;
    UserInterface& userInterface;
    const platform::VolumeProbes& volumes;
    /// The settings store's path values (histories, remembered folders); none in a window
    /// without settings, whose history buttons then stay disabled.
    settings::PathSettings* paths = nullptr;
    /// Where file dialogs start when nothing better is remembered.
    std::string documentsFolder = {};
    /// The robocopy that runs is our own engine: hints note the switches it does not carry out.
    bool bundledEngine = false;
    /// The settings store, for the Image tab's burn settings; none in a window without settings.
    settings::IniStore* store = nullptr;
    /// The burner menu's lines, one per optical drive.
    std::vector<std::string> burners = {};
    /// Where mkisofs is looked for when none is chosen: the program's folder, then PATH.
    std::vector<std::string> searchFolders = {};
    /// Builds the command-line preview below the log; none shows no preview.
    const formats::FormatServices* formats = nullptr;
};

/// The window of one job: six tab pages with one widget per option control, named by its control
/// name, that mirror the job's `JobState` and forward clicks and typing to it, and below them the
/// log view. It holds no option logic of its own: the coupling between options is the model's.
class Tfrm_Job final : public QWidget, private options::JobStateObserver {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tfrm_Job)

public:
    /// A window with a job state of its own.
    Tfrm_Job(const JobWindowServices& services, QWidget* parent);
    /// A window that shows `state`, which belongs to the core's job list and must outlive the window.
    /// The list prepared it as a new job's when it made it; the window leaves it as it is.
    Tfrm_Job(const JobWindowServices& services, options::JobState& state, QWidget* parent);
    ~Tfrm_Job() override;

    [[nodiscard]] options::JobState& state() { return *m_state; }
    [[nodiscard]] const options::JobState& state() const { return *m_state; }

    /// red_Log, where runs, loads and saves of this job write their lines.
    [[nodiscard]] LogSink& log();

    /// Shows or hides the Image tab; the tab width follows.
    void setImageView(bool on);
    [[nodiscard]] bool imageView() const { return m_imageView; }

    /// Explanations of the controls as balloon tooltips titled with the tab page, or as plain hints.
    void setTooltipps(bool on);
    [[nodiscard]] bool tooltipps() const { return m_tooltipps; }

    /// Whether the robocopy that runs is the bundled engine (see `JobWindowServices`).
    void setBundledEngine(bool on);

    /// The caption: the job file's name or "*.rcj", with " [geändert]" while modified.
    [[nodiscard]] QString caption() const;

    /// sbu_Seite: the log fills the window. sbu_Teil: the log below the tab pages.
    void showLogFull();
    void showLogSplit();

    /// Brings the first tab page (Pfade) to the front, as after a file was read into the job.
    void showFirstPage();

    /// Renews every text of the window (page captions and texts, hints, caption) in the current
    /// language; the job's state is left as it is.
    void retranslate();

    /// The path fields with their choosers and history menus.
    [[nodiscard]] PathFields& pathFields() { return *m_pathFields; }

    /// The command-line preview and the run's progress and result; none without format services.
    [[nodiscard]] RunPanel* runPanel() const { return m_runPanel; }

Q_SIGNALS:
    void captionRefreshed(const QString& caption);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    Tfrm_Job(JobWindowServices services, std::unique_ptr<options::JobState> ownState, options::JobState* state,
             QWidget* parent);

    // JobStateObserver: mirror the model into the widgets.
    void tickedChanged(options::Control control, bool ticked) override;
    void enabledChanged(options::Control control, bool enabled) override;
    void readOnlyChanged(options::Control control, bool readOnly) override;
    void textChanged(options::Control control, std::string_view text) override;
    void captionChanged(std::string_view caption) override;

    void buildFrame();
    void buildPages();
    void bindControls();
    void showEngineOwnOptions();
    void mirror(options::Control control);
    void layoutClient();
    void layoutLogPanel();
    void layoutPages();
    void updateTabWidth();
    void pageShown(int index);
    void applyHints();
    /// Opens the chooser of a path field or of the log-file field; false for other objects.
    bool openChooser(const QObject* field);
    /// Return, Space or F4 open a path field's chooser, Alt+Down its history menu.
    bool pathFieldKey(const QObject* field, const QKeyEvent& key);
    /// Empties the path fields of a new job, once.
    void runShowSequence();

    const JobWindowServices m_services;
    std::unique_ptr<options::JobState> m_ownState; ///< none when the state belongs to the job list
    options::JobState* m_state = nullptr;
    PathFields* m_pathFields = nullptr;
    ImagePage* m_imagePage = nullptr;
    std::array<QPointer<QWidget>, options::kControlCount> m_widgets{};
    QLabel* m_captionBar = nullptr;
    QWidget* m_client = nullptr;
    QWidget* m_page = nullptr;
    JobPageControl* m_pages = nullptr;
    QWidget* m_stack = nullptr;
    QWidget* m_logPanel = nullptr;
    QToolButton* m_fullButton = nullptr;
    QToolButton* m_splitButton = nullptr;
    LogView* m_log = nullptr;
    RunPanel* m_runPanel = nullptr;
    bool m_imageView = false;
    bool m_tooltipps = false;
    bool m_bundledEngine = false;
    bool m_shownOnce = false;
};

} // namespace talvex::gui
