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

// "Ausführen": running, its checks, and the run modes.
void MainCommands::buildRunMenu(QMenuBar* menuBar) {
    MainActions& a = m_actions;
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

    buildRunMenu(menuBar);

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

    a.languages = menuBar->addMenu(QString());
    a.languages->setObjectName(QStringLiteral("mni_Sprachen"));
    a.languages->menuAction()->setObjectName(QStringLiteral("mni_Sprachen"));

    a.info = menuBar->addAction(QString());
    a.info->setObjectName(QStringLiteral("mni_Info"));

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
    Pair(a.info, m_infoButton);
}

void MainCommands::SetCaptions() {
    const MainActions& a = m_actions;
    const std::initializer_list<std::pair<QToolButton*, const char*>> buttons = {
        {m_newButton, N_("Neu")},          {m_openButton, N_("Öffnen")},      {m_saveButton, N_("Speichern")},
        {m_saveAsButton, N_("... unter")}, {m_closeButton, N_("Schliessen")}, {m_exitButton, N_("Beenden")},
        {m_infoButton, N_("Info")},        {m_startButton, N_("Start")},
    };
    for (const auto& [button, text] : buttons) {
        button->setText(Tr(text));
    }
    const std::initializer_list<std::pair<QAction*, const char*>> items = {
        {a.start, N_("Start")},
        {a.simulate, N_("Simulieren")},
        {a.askBeforeDeleting, N_("Vor dem Löschen nachfragen")},
        {a.countFirst, N_("Vorab zählen (Fortschritt mit Restzeit)")},
        {a.newJob, N_("Neu")},
        {a.open, N_("Öffnen")},
        {a.recent->menuAction(), N_("Öffne Jobdatei")},
        {a.save, N_("Speichern")},
        {a.saveAs, N_("Speichern unter")},
        {a.saveAll, N_("Mehrfach Job speichern")},
        {a.close, N_("Schliessen")},
        {a.exit, N_("Beenden")},
        {m_windowMenu->menuAction(), N_("Robocopy Fenster")},
        {a.windowModes[0], N_("Versteckt")},
        {a.windowModes[1], N_("Normal")},
        {a.windowModes[2], N_("Minimiert")},
        {a.windowModes[3], N_("Maximiert")},
        {m_jobMenu->menuAction(), N_("Job ausführen mit")},
        {a.jobModes[0], N_("Commandline")},
        {a.jobModes[1], N_("Temporärer Jobdatei")},
        {a.saveDefault, N_("Als Voreinstellung speichern")},
        {a.loadDefault, N_("Voreinstellungen laden")},
        {a.deleteDefault, N_("Voreinstellungen löschen")},
        {a.newWithDefaults, N_("Neuer Job mit Voreinstellungen")},
        {a.tooltips, N_("Hints als Tooltipps anzeigen")},
        {a.imageView, N_("Tab Image anzeigen")},
        {a.info, N_("Info")},
        {a.file->menuAction(), N_("Datei")},
        {m_run->menuAction(), N_("Ausführen")},
        {m_settings->menuAction(), N_("Einstellungen")},
        {a.languages->menuAction(), N_("Sprache")},
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
    const QIcon picture = PictureIcon(running ? Picture::Stop : Picture::Start);
    m_actions.start->setIcon(picture);
    m_startButton->setIcon(picture);
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
