// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <array>

class QAction;
class QMenu;
class QMenuBar;
class QToolButton;
class QWidget;

namespace talvex::gui {

/// The main window's commands: the menu items and, where a command has one, its button in the
/// column on the left. A button runs its menu item, and the two are enabled together.
struct MainActions {
    QMenu* file = nullptr;
    QAction* newJob = nullptr;
    QAction* open = nullptr;
    QMenu* recent = nullptr; ///< mni_DateiJob, filled when the file menu opens
    QAction* save = nullptr;
    QAction* saveAs = nullptr;
    QAction* saveAll = nullptr;
    QAction* close = nullptr;
    QAction* exit = nullptr;
    QAction* start = nullptr;
    QAction* simulate = nullptr;          ///< mni_Simulieren: the current job with /L only
    QAction* askBeforeDeleting = nullptr; ///< mni_VorLoeschenFragen
    QAction* countFirst = nullptr;        ///< mni_VorabZaehlen
    /// Hidden, normal, minimised, maximised: the index is the stored value.
    std::array<QAction*, 4> windowModes{};
    /// Command line, temporary job file: the index is the stored value.
    std::array<QAction*, 2> jobModes{};
    QAction* saveDefault = nullptr;
    QAction* loadDefault = nullptr;
    QAction* deleteDefault = nullptr;
    QAction* newWithDefaults = nullptr;
    QAction* tooltips = nullptr;
    QAction* imageView = nullptr;
    QMenu* languages = nullptr; ///< mni_Sprachen, filled from the catalogues present
    QAction* info = nullptr;    ///< mni_Info, with the button sbu_Info
};

/// Builds the menu bar and the command button column and keeps each command's pair in step.
class MainCommands final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainCommands)

public:
    /// Fills `menuBar` and puts the eight command buttons into `buttonPanel` (pnl_Button).
    MainCommands(QMenuBar* menuBar, QWidget* buttonPanel, QObject* parent);
    ~MainCommands() override = default;

    [[nodiscard]] const MainActions& actions() const { return m_actions; }

    /// Sets the captions that come from the message table (again after a change of language).
    void SetCaptions();

    /// Start, or Stop while a run is in progress, on the button and the menu item.
    void setStart(bool enabled, bool running);
    /// Marks the run modes in use; a value outside the menu marks nothing.
    void markRunModes(int windowMode, int jobMode);

private:
    static QAction* AddItem(QMenu* menu, const char* name, bool enabled);
    static QMenu* AddMenu(QMenu* parent, const char* name);
    /// The button runs `action`; both are enabled together from now on.
    static void Pair(QAction* action, QToolButton* button);
    void build(QMenuBar* menuBar);
    void buildRunMenu(QMenuBar* menuBar);

    MainActions m_actions;
    QMenu* m_run = nullptr;
    QMenu* m_windowMenu = nullptr;
    QMenu* m_jobMenu = nullptr;
    QMenu* m_settings = nullptr;
    QToolButton* m_newButton = nullptr;
    QToolButton* m_openButton = nullptr;
    QToolButton* m_saveButton = nullptr;
    QToolButton* m_saveAsButton = nullptr;
    QToolButton* m_startButton = nullptr;
    QToolButton* m_closeButton = nullptr;
    QToolButton* m_exitButton = nullptr;
    QToolButton* m_infoButton = nullptr;
};

} // namespace talvex::gui
