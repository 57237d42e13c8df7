// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/mainwindow/MainCommands.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <initializer_list>
#include <utility>

#include "gui/Pictures.h"
#include "gui/QtText.h"

namespace talvex::gui {

namespace {

constexpr int kCommandButtonSize = 60;

QToolButton* AddButton(QWidget* panel, const char* name, Picture picture, int top) {
    auto* button = new QToolButton(panel);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(4, top, kCommandButtonSize, kCommandButtonSize);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setIcon(PictureIcon(picture));
    button->setIconSize(QSize(32, 32));
    button->setAutoRaise(true);
    return button;
}

} // namespace

MainCommands::MainCommands(QMenuBar* menuBar, QWidget* buttonPanel, QObject* parent) : QObject(parent) {
    // The eight command buttons from top to bottom; tops 4, 68, ... 452 in pnl_Button.
    int top = 4;
    for (auto [button, name, picture] :
         {std::tuple{&m_newButton, "sbu_Neu", Picture::New}, std::tuple{&m_openButton, "sbu_Oeffnen", Picture::Open},
          std::tuple{&m_saveButton, "sbu_Speichern", Picture::Save},
          std::tuple{&m_saveAsButton, "sbu_SpeichernUnter", Picture::SaveAs},
          std::tuple{&m_startButton, "sbu_Start", Picture::Start},
          std::tuple{&m_closeButton, "sbu_Schliessen", Picture::Close},
          std::tuple{&m_exitButton, "sbu_Beenden", Picture::Exit},
          std::tuple{&m_infoButton, "sbu_Info", Picture::Info}}) {
        *button = AddButton(buttonPanel, name, picture, top);
        top += 64;
    }
    // No about box yet.
    m_infoButton->setEnabled(false);
    build(menuBar);
}

QAction* MainCommands::AddItem(QMenu* menu, const char* name, bool enabled) {
    QAction* action = menu->addAction(QString());
    action->setObjectName(QString::fromLatin1(name));
    action->setEnabled(enabled);
    return action;
}

QMenu* MainCommands::AddMenu(QMenu* parent, const char* name) {
    QMenu* menu = parent->addMenu(QString());
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

void MainCommands::Pair(QAction* action, QToolButton* button) {
    button->setEnabled(action->isEnabled());
    connect(action, &QAction::enabledChanged, button, &QToolButton::setEnabled);
    connect(button, &QToolButton::clicked, action, &QAction::trigger);
}

void MainCommands::build(QMenuBar* menuBar) {
    MainActions& a = m_actions;
    a.file = menuBar->addMenu(QString());
    a.file->setObjectName(QStringLiteral("mni_Datei"));
    a.newJob = AddItem(a.file, "mni_DateiNeu", true);
    a.open = AddItem(a.file, "mni_DateiOeffnen", true);
    a.recent = AddMenu(a.file, "mni_DateiJob");
    a.recent->menuAction()->setEnabled(false);
    a.file->addSeparator();
    a.save = AddItem(a.file, "mni_DateiSpeichern", false);
    a.saveAs = AddItem(a.file, "mni_DateiSpeichernUnter", false);
    a.saveAll = AddItem(a.file, "mni_DateiAlleSpeichern", false);
    a.file->addSeparator();
    a.close = AddItem(a.file, "mni_Schliessen", true);
    a.exit = AddItem(a.file, "mni_DateiBeenden", true);

    m_run = menuBar->addMenu(QString());
    m_run->setObjectName(QStringLiteral("mni_Ausfuehren"));
    a.start = AddItem(m_run, "mni_Start", false);
    a.simulate = AddItem(m_run, "mni_Simulieren", false);
    a.simulate->setShortcut(QKeySequence(QStringLiteral("Shift+F5")));
    a.askBeforeDeleting = AddItem(m_run, "mni_VorLoeschenFragen", true);
    a.askBeforeDeleting->setCheckable(true);
    a.countFirst = AddItem(m_run, "mni_VorabZaehlen", true);
    a.countFirst->setCheckable(true);
    m_run->addSeparator();
    m_windowMenu = AddMenu(m_run, "mni_AusfuehrenRobo");
    auto* windowModes = new QActionGroup(this);
    const std::array windowNames = {"mni_AusfuehrenRoboHide", "mni_AusfuehrenRoboNormal", "mni_AusfuehrenRoboMini",
                                    "mni_AusfuehrenRoboMaxi"};
    for (std::size_t i = 0; i < windowNames.size(); ++i) {
        a.windowModes[i] = windowModes->addAction(AddItem(m_windowMenu, windowNames[i], true));
        a.windowModes[i]->setCheckable(true);
    }
    m_jobMenu = AddMenu(m_run, "mnu_AusfuehrenJob");
    auto* jobModes = new QActionGroup(this);
    const std::array jobNames = {"mnu_AusfuehrenJobCmd", "mnu_AusfuehrenJobTmp"};
    for (std::size_t i = 0; i < jobNames.size(); ++i) {
        a.jobModes[i] = jobModes->addAction(AddItem(m_jobMenu, jobNames[i], true));
        a.jobModes[i]->setCheckable(true);
    }
    markRunModes(0, 0);

    m_settings = menuBar->addMenu(QString());
    m_settings->setObjectName(QStringLiteral("mni_Einstellungen"));
    a.saveDefault = AddItem(m_settings, "mni_EinstellungenSpeichern", true);
    a.loadDefault = AddItem(m_settings, "mni_EinstellungenLaden", false);
    a.deleteDefault = AddItem(m_settings, "mni_EinstellungenLoeschen", false);
    a.newWithDefaults = AddItem(m_settings, "mni_NeuMitEinstellungen", false);
    a.newWithDefaults->setCheckable(true);
    m_settings->addSeparator();
    a.tooltips = AddItem(m_settings, "mni_ToolTipps", true);
    a.tooltips->setCheckable(true);
    a.imageView = AddItem(m_settings, "mni_ImageView", true);
    a.imageView->setCheckable(true);

    m_languages = menuBar->addMenu(QString());
    m_languages->setObjectName(QStringLiteral("mni_Sprachen"));
    // No catalogue menu yet: without items the language menu is disabled.
    m_languages->menuAction()->setEnabled(false);

    m_info = menuBar->addAction(QString());
    m_info->setObjectName(QStringLiteral("mni_Info"));
    m_info->setEnabled(false);

    // A command runs from its menu item, its key and, where there is one, its button.
    for (auto [action, picture, keys] :
         {std::tuple{a.newJob, Picture::New, QKeySequence(QKeySequence::New)},
          std::tuple{a.open, Picture::Open, QKeySequence(QKeySequence::Open)},
          std::tuple{a.save, Picture::Save, QKeySequence(QKeySequence::Save)},
          std::tuple{a.saveAs, Picture::SaveAs, QKeySequence(QStringLiteral("Ctrl+Shift+S"))},
          std::tuple{a.close, Picture::Close, QKeySequence(QStringLiteral("Ctrl+W"))},
          std::tuple{a.exit, Picture::Exit, QKeySequence(QStringLiteral("Ctrl+Q"))},
          std::tuple{a.start, Picture::Start, QKeySequence(Qt::Key_F5)}}) {
        action->setIcon(PictureIcon(picture));
        action->setShortcut(keys);
    }
    Pair(a.newJob, m_newButton);
    Pair(a.open, m_openButton);
    Pair(a.save, m_saveButton);
    Pair(a.saveAs, m_saveAsButton);
    Pair(a.start, m_startButton);
    Pair(a.close, m_closeButton);
    Pair(a.exit, m_exitButton);
}

void MainCommands::SetCaptions() {
    const MainActions& a = m_actions;
    const std::initializer_list<std::pair<QToolButton*, const char*>> buttons = {
        {m_newButton, "Neu"},          {m_openButton, "Öffnen"},      {m_saveButton, "Speichern"},
        {m_saveAsButton, "... unter"}, {m_closeButton, "Schliessen"}, {m_exitButton, "Beenden"},
        {m_infoButton, "Info"},        {m_startButton, "Start"},
    };
    for (const auto& [button, text] : buttons) {
        button->setText(Tr(text));
    }
    const std::initializer_list<std::pair<QAction*, const char*>> items = {
        {a.start, "Start"},
        {a.simulate, "Simulieren"},
        {a.askBeforeDeleting, "Vor dem Löschen nachfragen"},
        {a.countFirst, "Vorab zählen (Fortschritt mit Restzeit)"},
        {a.newJob, "Neu"},
        {a.open, "Öffnen"},
        {a.recent->menuAction(), "Öffne Jobdatei"},
        {a.save, "Speichern"},
        {a.saveAs, "Speichern unter"},
        {a.saveAll, "Mehrfach Job speichern"},
        {a.close, "Schliessen"},
        {a.exit, "Beenden"},
        {m_windowMenu->menuAction(), "Robocopy Fenster"},
        {a.windowModes[0], "Versteckt"},
        {a.windowModes[1], "Normal"},
        {a.windowModes[2], "Minimiert"},
        {a.windowModes[3], "Maximiert"},
        {m_jobMenu->menuAction(), "Job ausführen mit"},
        {a.jobModes[0], "Commandline"},
        {a.jobModes[1], "Temporärer Jobdatei"},
        {a.saveDefault, "Als Voreinstellung speichern"},
        {a.loadDefault, "Voreinstellungen laden"},
        {a.deleteDefault, "Voreinstellungen löschen"},
        {a.newWithDefaults, "Neuer Job mit Voreinstellungen"},
        {a.tooltips, "Hints als Tooltipps anzeigen"},
        {a.imageView, "Tab Image anzeigen"},
        {m_info, "Info"},
        {a.file->menuAction(), "Datei"},
        {m_run->menuAction(), "Ausführen"},
        {m_settings->menuAction(), "Einstellungen"},
        {m_languages->menuAction(), "Sprache"},
    };
    for (const auto& [action, text] : items) {
        action->setText(Tr(text));
    }
}

void MainCommands::setStart(bool enabled, bool running) {
    m_actions.start->setEnabled(enabled);
    m_actions.simulate->setEnabled(enabled && !running);
    const QString caption = running ? Tr("Stop") : Tr("Start");
    m_actions.start->setText(caption);
    m_startButton->setText(caption);
}

void MainCommands::markRunModes(int windowMode, int jobMode) {
    for (std::size_t i = 0; i < m_actions.windowModes.size(); ++i) {
        m_actions.windowModes[i]->setChecked(static_cast<int>(i) == windowMode);
    }
    for (std::size_t i = 0; i < m_actions.jobModes.size(); ++i) {
        m_actions.jobModes[i]->setChecked(static_cast<int>(i) == jobMode);
    }
}

} // namespace talvex::gui
