// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/mainwindow/Tfrm_Haupt.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QSignalBlocker>
#include <QTime>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <array>
#include <initializer_list>
#include <optional>
#include <utility>

#include "core/presentation/Translate.h"
#include "core/presentation/WindowLayout.h"
#include "core/services/Paths.h"
#include "core/services/UserInterface.h"
#include "core/settings/SaveSettings.h"
#include "core/settings/SettingsFolder.h"
#include "gui/Pictures.h"
#include "gui/QtText.h"
#include "gui/mainwindow/JobRunControl.h"

namespace talvex::gui {

namespace {

constexpr int kClientWidth = 540;
constexpr int kClientHeight = 660;
constexpr int kMinimumClientHeight = 500;
constexpr int kLeftWidth = 76;
constexpr int kStatusHeight = 19;
constexpr int kTabStripHeight = 21;
constexpr int kTabHeight = 20;
constexpr int kCommandButtonSize = 60;

struct CommandButton {
    const char* name;
    Picture picture;
};

// The eight command buttons from top to bottom; tops 4, 68, ... 452 in pnl_Button.
constexpr std::array kCommandButtons = {
    CommandButton{"sbu_Neu", Picture::New},        CommandButton{"sbu_Oeffnen", Picture::Open},
    CommandButton{"sbu_Speichern", Picture::Save}, CommandButton{"sbu_SpeichernUnter", Picture::SaveAs},
    CommandButton{"sbu_Start", Picture::Start},    CommandButton{"sbu_Schliessen", Picture::Close},
    CommandButton{"sbu_Beenden", Picture::Exit},   CommandButton{"sbu_Info", Picture::Info},
};

// Commands whose implementation arrives with the job-file writer and reader, the runner, the
// settings store and the about box. Their buttons and menu items are shown but stay disabled, so
// that nothing the user can click does nothing.
constexpr bool kOpenAndSaveBuilt = false;

constexpr std::array kWindowModeItems = {"mni_AusfuehrenRoboHide", "mni_AusfuehrenRoboNormal", "mni_AusfuehrenRoboMini",
                                         "mni_AusfuehrenRoboMaxi"};
constexpr std::array kJobModeItems = {"mnu_AusfuehrenJobCmd", "mnu_AusfuehrenJobTmp"};

} // namespace

Tfrm_Haupt::Tfrm_Haupt(const JobWindowServices& services, std::string settingsFolder, QWidget* parent)
    : QMainWindow(parent), m_services(services), m_settingsFolder(std::move(settingsFolder)) {
    setObjectName(QStringLiteral("Tfrm_Haupt"));
    setWindowTitle(QStringLiteral("Talvex"));
    buildFrame();
    buildMenus();
    SetCaptions();

    m_client->setMinimumSize(kClientWidth, kMinimumClientHeight);
    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        move(available.center() - rect().center());
    }

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(100);
    connect(m_timer, &QTimer::timeout, this, &Tfrm_Haupt::Timer1Timer);
    m_timer->start();

    if (m_services.formats != nullptr) {
        const std::string runFolder = m_settingsFolder.empty() ? QDir::tempPath().toStdString() : m_settingsFolder;
        m_run = new JobRunControl(*m_services.formats, m_services.programFolder, runFolder, this);
        connect(m_run, &JobRunControl::runStarted, this, &Tfrm_Haupt::onRunChanged);
        connect(m_run, &JobRunControl::runFinished, this, &Tfrm_Haupt::onRunChanged);
    }
    openSettings();
    CloseAllJobs();
    Timer1Timer();
}

Tfrm_Haupt::~Tfrm_Haupt() = default;

void Tfrm_Haupt::openSettings() {
    if (m_settingsFolder.empty()) {
        return;
    }
    // A file that exists but cannot be read gives an empty store that refuses to be written back,
    // so settings the program never saw are not replaced at shutdown.
    m_store =
        settings::IniStore::Open(settings::SettingsFilePath(m_settingsFolder), settings::IniEncoding::Utf16LeWithMark)
            .store;
    m_paths = std::make_unique<settings::PathSettings>(m_store, m_settingsFolder);
    m_services.paths = m_paths.get();

    // Restoring the check marks must not write them back: block the toggled handlers meanwhile.
    auto* imageView = findChild<QAction*>(QStringLiteral("mni_ImageView"));
    auto* tooltips = findChild<QAction*>(QStringLiteral("mni_ToolTipps"));
    const QSignalBlocker imageViewBlocker(imageView);
    const QSignalBlocker tooltipsBlocker(tooltips);
    imageView->setChecked(m_store.readBool("Settings", "ImageView", false));
    tooltips->setChecked(m_store.readBool("Settings", "Tooltipps", false));

    // A value outside the menu (an edited file) is kept and used as it is, with no item marked.
    m_windowMode = m_store.readInteger("Execute", "Window", 0);
    m_jobMode = m_store.readInteger("Execute", "Job", 0);
    auto mark = [this](const auto& items, long long value) {
        for (std::size_t i = 0; i < items.size(); ++i) {
            findChild<QAction*>(QString::fromLatin1(items[i]))->setChecked(static_cast<long long>(i) == value);
        }
    };
    mark(kWindowModeItems, m_windowMode);
    mark(kJobModeItems, m_jobMode);
}

void Tfrm_Haupt::buildFrame() {
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("pnl_Client"));
    setCentralWidget(m_client);

    m_left = new QWidget(m_client);
    m_left->setObjectName(QStringLiteral("pnl_Left"));
    m_buttonPanel = new QWidget(m_left);
    m_buttonPanel->setObjectName(QStringLiteral("pnl_Button"));
    int top = 4;
    for (const CommandButton& command : kCommandButtons) {
        auto* button = new QToolButton(m_buttonPanel);
        button->setObjectName(QString::fromLatin1(command.name));
        button->setGeometry(4, top, kCommandButtonSize, kCommandButtonSize);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIcon(PictureIcon(command.picture));
        button->setIconSize(QSize(32, 32));
        button->setAutoRaise(true);
        top += 64;
    }

    m_jobArea = new QWidget(m_client);
    m_jobArea->setObjectName(QStringLiteral("pnl_JobForm"));
    m_tabStrip = new QWidget(m_client);
    m_tabStrip->setObjectName(QStringLiteral("pnl_JobButton"));

    m_statusBar = new QWidget(m_client);
    m_statusBar->setObjectName(QStringLiteral("sbu_Robocopy"));
    m_clock = new QLabel(m_statusBar);
    m_clock->setObjectName(QStringLiteral("sbu_RobocopyPanel0"));
    m_clock->setAlignment(Qt::AlignCenter);
    m_clock->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_version = new QLabel(m_statusBar);
    m_version->setObjectName(QStringLiteral("sbu_RobocopyPanel1"));
    m_version->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_version->setContentsMargins(3, 0, 3, 0);

    auto find = [this](const char* name) { return m_buttonPanel->findChild<QToolButton*>(QString::fromLatin1(name)); };
    connect(find("sbu_Neu"), &QToolButton::clicked, this, &Tfrm_Haupt::NewJob);
    connect(find("sbu_Start"), &QToolButton::clicked, this, &Tfrm_Haupt::onStartCommand);
    connect(find("sbu_Schliessen"), &QToolButton::clicked, this, &Tfrm_Haupt::onCloseCommand);
    connect(find("sbu_Beenden"), &QToolButton::clicked, this, &QWidget::close);
    for (const char* name : {"sbu_Oeffnen", "sbu_Speichern", "sbu_SpeichernUnter", "sbu_Start", "sbu_Info"}) {
        find(name)->setEnabled(false);
    }
}

void Tfrm_Haupt::buildMenus() {
    auto addMenu = [](QMenu* parent, const char* name) {
        QMenu* menu = parent->addMenu(QString());
        menu->setObjectName(QString::fromLatin1(name));
        menu->menuAction()->setObjectName(QString::fromLatin1(name));
        return menu;
    };
    auto addItem = [](QMenu* menu, const char* name, bool enabled, std::optional<Picture> picture = {}) {
        QAction* action = menu->addAction(QString());
        action->setObjectName(QString::fromLatin1(name));
        action->setEnabled(enabled);
        if (picture) {
            action->setIcon(PictureIcon(*picture));
        }
        return action;
    };

    QMenu* file = menuBar()->addMenu(QString());
    file->setObjectName(QStringLiteral("mni_Datei"));
    connect(addItem(file, "mni_DateiNeu", true, Picture::New), &QAction::triggered, this, &Tfrm_Haupt::NewJob);
    addItem(file, "mni_DateiOeffnen", kOpenAndSaveBuilt, Picture::Open);
    addItem(file, "mni_DateiJob", false);
    file->addSeparator();
    addItem(file, "mni_DateiSpeichern", false, Picture::Save);
    addItem(file, "mni_DateiSpeichernUnter", false, Picture::SaveAs);
    addItem(file, "mni_DateiAlleSpeichern", false);
    file->addSeparator();
    QAction* close = addItem(file, "mni_Schliessen", true, Picture::Close);
    close->setText(Tr("Schliessen"));
    connect(close, &QAction::triggered, this, &Tfrm_Haupt::onCloseCommand);
    connect(addItem(file, "mni_DateiBeenden", true, Picture::Exit), &QAction::triggered, this, &QWidget::close);

    QMenu* run = menuBar()->addMenu(QString());
    run->setObjectName(QStringLiteral("mni_Ausfuehren"));
    connect(addItem(run, "mni_Start", false, Picture::Start), &QAction::triggered, this, &Tfrm_Haupt::onStartCommand);
    run->addSeparator();
    QMenu* window = addMenu(run, "mni_AusfuehrenRobo");
    auto* windowModes = new QActionGroup(this);
    for (const char* name : kWindowModeItems) {
        QAction* mode = addItem(window, name, true);
        mode->setCheckable(true);
        windowModes->addAction(mode);
    }
    window->findChild<QAction*>(QString::fromLatin1(kWindowModeItems[0]))->setChecked(true);
    QMenu* jobMode = addMenu(run, "mnu_AusfuehrenJob");
    auto* jobModes = new QActionGroup(this);
    for (const char* name : kJobModeItems) {
        QAction* mode = addItem(jobMode, name, true);
        mode->setCheckable(true);
        jobModes->addAction(mode);
    }
    jobMode->findChild<QAction*>(QString::fromLatin1(kJobModeItems[0]))->setChecked(true);
    connect(windowModes, &QActionGroup::triggered, this, &Tfrm_Haupt::onRunModeChosen);
    connect(jobModes, &QActionGroup::triggered, this, &Tfrm_Haupt::onRunModeChosen);

    QMenu* settings = menuBar()->addMenu(QString());
    settings->setObjectName(QStringLiteral("mni_Einstellungen"));
    addItem(settings, "mni_EinstellungenSpeichern", false);
    addItem(settings, "mni_EinstellungenLaden", false);
    addItem(settings, "mni_EinstellungenLoeschen", false);
    addItem(settings, "mni_NeuMitEinstellungen", false)->setCheckable(true);
    settings->addSeparator();
    QAction* tooltips = addItem(settings, "mni_ToolTipps", true);
    tooltips->setCheckable(true);
    connect(tooltips, &QAction::toggled, this, &Tfrm_Haupt::onTooltippsToggled);
    QAction* imageView = addItem(settings, "mni_ImageView", true);
    imageView->setCheckable(true);
    connect(imageView, &QAction::toggled, this, &Tfrm_Haupt::onImageViewToggled);

    QMenu* languages = menuBar()->addMenu(QString());
    languages->setObjectName(QStringLiteral("mni_Sprachen"));
    // No catalogue menu yet: without items the language menu is disabled.
    languages->menuAction()->setEnabled(false);

    QAction* info = menuBar()->addAction(QString());
    info->setObjectName(QStringLiteral("mni_Info"));
    info->setEnabled(false);
}

void Tfrm_Haupt::SetCaptions() {
    static const std::pair<const char*, const char*> kButtons[] = {
        {"sbu_Neu", "Neu"},
        {"sbu_Oeffnen", "Öffnen"},
        {"sbu_Speichern", "Speichern"},
        {"sbu_SpeichernUnter", "... unter"},
        {"sbu_Schliessen", "Schliessen"},
        {"sbu_Beenden", "Beenden"},
        {"sbu_Info", "Info"},
        {"sbu_Start", "Start"},
    };
    for (const auto& [name, text] : kButtons) {
        m_buttonPanel->findChild<QToolButton*>(QString::fromLatin1(name))->setText(Tr(text));
    }
    static const std::pair<const char*, const char*> kItems[] = {
        {"mni_Start", "Start"},
        {"mni_DateiNeu", "Neu"},
        {"mni_DateiOeffnen", "Öffnen"},
        {"mni_DateiJob", "Öffne Jobdatei"},
        {"mni_DateiSpeichern", "Speichern"},
        {"mni_DateiSpeichernUnter", "Speichern unter"},
        {"mni_DateiAlleSpeichern", "Mehrfach Job speichern"},
        {"mni_DateiBeenden", "Beenden"},
        {"mni_AusfuehrenRobo", "Robocopy Fenster"},
        {"mni_AusfuehrenRoboHide", "Versteckt"},
        {"mni_AusfuehrenRoboNormal", "Normal"},
        {"mni_AusfuehrenRoboMini", "Minimiert"},
        {"mni_AusfuehrenRoboMaxi", "Maximiert"},
        {"mnu_AusfuehrenJob", "Job ausführen mit"},
        {"mnu_AusfuehrenJobCmd", "Commandline"},
        {"mnu_AusfuehrenJobTmp", "Temporärer Jobdatei"},
        {"mni_EinstellungenSpeichern", "Als Voreinstellung speichern"},
        {"mni_EinstellungenLaden", "Voreinstellungen laden"},
        {"mni_EinstellungenLoeschen", "Voreinstellungen löschen"},
        {"mni_NeuMitEinstellungen", "Neuer Job mit Voreinstellungen"},
        {"mni_ToolTipps", "Hints als Tooltipps anzeigen"},
        {"mni_ImageView", "Tab Image anzeigen"},
        {"mni_Info", "Info"},
    };
    for (const auto& [name, text] : kItems) {
        for (QAction* action : findChildren<QAction*>(QString::fromLatin1(name))) {
            action->setText(Tr(text));
        }
    }
    static const std::pair<const char*, const char*> kMenus[] = {
        {"mni_Datei", "Datei"},
        {"mni_Ausfuehren", "Ausführen"},
        {"mni_Einstellungen", "Einstellungen"},
        {"mni_Sprachen", "Sprache"},
    };
    for (const auto& [name, text] : kMenus) {
        if (auto* menu = menuBar()->findChild<QMenu*>(QString::fromLatin1(name))) {
            menu->setTitle(Tr(text));
        }
    }
}

Tfrm_Job* Tfrm_Haupt::currentJob() const {
    if (m_current < 0 || m_current >= jobCount()) {
        return nullptr;
    }
    return m_jobs[static_cast<std::size_t>(m_current)].form;
}

void Tfrm_Haupt::NewJob() {
    m_current = jobCount();
    m_jobs.push_back(JobEntry{});

    auto* tab = new QToolButton(m_tabStrip);
    tab->setObjectName(QStringLiteral("tab_Job%1").arg(m_current));
    tab->setCheckable(true);
    tab->setAutoExclusive(true);
    tab->setText(QStringLiteral("*.rcj"));
    connect(tab, &QToolButton::clicked, this, [this, tab] {
        const auto it = std::find(m_tabs.begin(), m_tabs.end(), tab);
        if (it != m_tabs.end()) {
            SelectJob(static_cast<int>(it - m_tabs.begin()));
        }
    });
    m_tabs.push_back(tab);
    tab->show();

    auto* form = new Tfrm_Job(m_services, m_jobArea);
    form->setGeometry(m_jobArea->rect());
    form->setTooltipps(findChild<QAction*>(QStringLiteral("mni_ToolTipps"))->isChecked());
    form->setImageView(findChild<QAction*>(QStringLiteral("mni_ImageView"))->isChecked());
    m_jobs.back().form = form;
    layoutTabs();
    SelectJob(m_current);
}

void Tfrm_Haupt::SelectJob(int index) {
    if (index < 0 || index >= jobCount()) {
        return;
    }
    m_current = index;
    for (int i = 0; i < jobCount(); ++i) {
        Tfrm_Job* form = m_jobs[static_cast<std::size_t>(i)].form;
        if (i == index) {
            form->show();
            form->raise();
        } else {
            form->hide();
        }
    }
    m_tabs[static_cast<std::size_t>(index)]->setChecked(true);
    currentJob()->setImageView(findChild<QAction*>(QStringLiteral("mni_ImageView"))->isChecked());
}

void Tfrm_Haupt::CloseJob() {
    if (jobCount() < 2) {
        return;
    }
    const auto removed = static_cast<std::size_t>(m_current);
    delete m_jobs[removed].form.data();
    for (std::size_t i = removed + 1; i < m_jobs.size(); ++i) {
        m_jobs[i - 1] = m_jobs[i];
        m_tabs[i - 1]->setText(m_tabs[i]->text());
    }
    m_jobs.pop_back();
    delete m_tabs.back();
    m_tabs.pop_back();
    layoutTabs();

    m_current = 0;
    SelectJob(0);
    const options::JobState& first = currentJob()->state();
    for (const char* name : {"sbu_Speichern", "mni_DateiSpeichern"}) {
        if (auto* widget = findChild<QObject*>(QString::fromLatin1(name))) {
            widget->setProperty("enabled", kOpenAndSaveBuilt && first.modifiedFlag());
        }
    }
    for (const char* name : {"sbu_SpeichernUnter", "mni_DateiSpeichernUnter"}) {
        if (auto* widget = findChild<QObject*>(QString::fromLatin1(name))) {
            widget->setProperty("enabled", kOpenAndSaveBuilt && (first.modifiedFlag() || first.saveAsFlag()));
        }
    }
}

void Tfrm_Haupt::CloseAllJobs() {
    while (!m_jobs.empty()) {
        delete m_jobs.back().form.data();
        m_jobs.pop_back();
        delete m_tabs.back();
        m_tabs.pop_back();
    }
    m_current = -1;
    NewJob();
    for (const char* name : {"sbu_Speichern", "mni_DateiSpeichern", "sbu_SpeichernUnter", "mni_DateiSpeichernUnter"}) {
        if (auto* widget = findChild<QObject*>(QString::fromLatin1(name))) {
            widget->setProperty("enabled", false);
        }
    }
}

void Tfrm_Haupt::setRobocopyVersion(const QString& versionName) {
    m_version->setText(versionName);
}

void Tfrm_Haupt::Timer1Timer() {
    m_clock->setText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
    Tfrm_Job* job = currentJob();
    if (job == nullptr || !job->state().stateChangedFlag()) {
        return;
    }
    options::JobState& state = job->state();
    auto enable = [this](std::initializer_list<const char*> names, bool on) {
        for (const char* name : names) {
            if (auto* object = findChild<QObject*>(QString::fromLatin1(name))) {
                object->setProperty("enabled", on);
            }
        }
    };
    // While a run is in progress the button is Stop and must stay usable whichever job is shown.
    enable({"sbu_Start", "mni_Start"}, m_run != nullptr && (state.readyFlag() || m_startStopState == 1));
    enable({"sbu_Speichern", "mni_DateiSpeichern"}, kOpenAndSaveBuilt && state.modifiedFlag());
    enable({"sbu_SpeichernUnter", "mni_DateiSpeichernUnter"},
           kOpenAndSaveBuilt && (state.modifiedFlag() || state.saveAsFlag()));
    enable({"mni_DateiAlleSpeichern"}, kOpenAndSaveBuilt && jobCount() >= 2);

    const JobEntry& entry = m_jobs[static_cast<std::size_t>(m_current)];
    m_tabs[static_cast<std::size_t>(m_current)]->setText(
        QString::fromStdString(presentation::JobTabCaption(state.jobFilePath(), entry.kind, entry.number)));
    state.clearStateChangedFlag();

    const QString startCaption = m_startStopState == 1 ? Tr("Stop") : Tr("Start");
    m_buttonPanel->findChild<QToolButton*>(QStringLiteral("sbu_Start"))->setText(startCaption);
    findChild<QAction*>(QStringLiteral("mni_Start"))->setText(startCaption);
}

void Tfrm_Haupt::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    layoutFrame();
}

void Tfrm_Haupt::layoutFrame() {
    const int width = m_client->width();
    const int height = m_client->height();
    const int jobLeft = kLeftWidth + 2;

    m_left->setGeometry(0, 0, kLeftWidth, height - 25);
    const presentation::VerticalMargins margins = presentation::ButtonColumnMargins(m_left->height());
    m_buttonPanel->setGeometry(2, margins.top, kLeftWidth - 4, m_left->height() - margins.top - margins.bottom);

    m_statusBar->setGeometry(0, height - kStatusHeight, width, kStatusHeight);
    m_clock->setGeometry(0, 0, kLeftWidth + 2, kStatusHeight);
    m_version->setGeometry(kLeftWidth + 2, 0, width - kLeftWidth - 2, kStatusHeight);

    const int tabTop = height - kStatusHeight - kTabStripHeight;
    m_tabStrip->setGeometry(jobLeft, tabTop, width - jobLeft, kTabStripHeight);
    m_jobArea->setGeometry(jobLeft, -3, width - jobLeft, tabTop - 2 + 3);
    for (const JobEntry& entry : m_jobs) {
        if (entry.form != nullptr) {
            entry.form->setGeometry(m_jobArea->rect());
        }
    }
    layoutTabs();
}

void Tfrm_Haupt::layoutTabs() {
    const std::vector<presentation::TabSlot> slots = presentation::JobTabSlots(m_tabs.size(), m_tabStrip->width());
    for (std::size_t i = 0; i < m_tabs.size(); ++i) {
        m_tabs[i]->setGeometry(slots[i].left, 0, slots[i].width, kTabHeight);
    }
}

void Tfrm_Haupt::onImageViewToggled(bool on) {
    if (m_paths != nullptr) {
        m_store.writeBool("Settings", "ImageView", on);
    }
    if (Tfrm_Job* job = currentJob()) {
        job->setImageView(on);
    }
}

void Tfrm_Haupt::onTooltippsToggled(bool on) {
    if (m_paths != nullptr) {
        m_store.writeBool("Settings", "Tooltipps", on);
    }
    // Only the current job switches; the others keep their mode until they are opened anew.
    if (Tfrm_Job* job = currentJob()) {
        job->setTooltipps(on);
    }
}

bool Tfrm_Haupt::mayClose(Tfrm_Job& job) {
    if (!job.state().modifiedFlag()) {
        return true;
    }
    const Answer answer = m_services.userInterface.showMessage(
        MessageKind::Question, talvex::tr("Talvex"),
        talvex::tr("Der Job wurde geändert. Sollen die Änderungen gespeichert werden?"), Buttons::YesNoCancel);
    // Saving arrives with the job-file writer; until then Yes keeps the job open, like Cancel, so
    // that no change is thrown away unsaved.
    return answer == Answer::No;
}

void Tfrm_Haupt::onStartCommand() {
    Tfrm_Job* job = currentJob();
    if (m_run == nullptr || job == nullptr) {
        return;
    }
    m_run->ExecuteJob(*job, static_cast<exec::JobMode>(m_jobMode), static_cast<platform::ShowMode>(m_windowMode));
}

void Tfrm_Haupt::onRunModeChosen(QAction* item) {
    const QString name = item->objectName();
    for (std::size_t i = 0; i < kWindowModeItems.size(); ++i) {
        if (name == QLatin1String(kWindowModeItems[i])) {
            m_windowMode = static_cast<long long>(i);
            if (m_paths != nullptr) {
                m_store.writeInteger("Execute", "Window", m_windowMode);
            }
        }
    }
    for (std::size_t i = 0; i < kJobModeItems.size(); ++i) {
        if (name == QLatin1String(kJobModeItems[i])) {
            m_jobMode = static_cast<long long>(i);
            if (m_paths != nullptr) {
                m_store.writeInteger("Execute", "Job", m_jobMode);
            }
        }
    }
}

void Tfrm_Haupt::onRunChanged() {
    m_startStopState = m_run->running() ? 1 : 0;
    // The timer shows Start or Stop once the current job's flags say something changed.
    for (const JobEntry& entry : m_jobs) {
        if (entry.form != nullptr) {
            entry.form->state().setReadyFlag(entry.form->state().readyFlag());
        }
    }
    // The job whose output is being written cannot be closed meanwhile.
    const bool busy = m_startStopState == 1;
    for (const char* name : {"sbu_Schliessen", "mni_Schliessen"}) {
        findChild<QObject*>(QString::fromLatin1(name))->setProperty("enabled", !busy);
    }
    Timer1Timer();
}

void Tfrm_Haupt::onCloseCommand() {
    Tfrm_Job* job = currentJob();
    if (job == nullptr || (m_run != nullptr && m_run->running()) || !mayClose(*job)) {
        return;
    }
    if (jobCount() > 1) {
        CloseJob();
    } else {
        CloseAllJobs();
    }
}

void Tfrm_Haupt::closeEvent(QCloseEvent* event) {
    // The close box asks like Exit does: closing the window must not drop modified jobs unasked.
    for (int i = 0; i < jobCount(); ++i) {
        Tfrm_Job* job = m_jobs[static_cast<std::size_t>(i)].form;
        if (job != nullptr && job->state().modifiedFlag()) {
            SelectJob(i);
            if (!mayClose(*job)) {
                event->ignore();
                return;
            }
        }
    }
    m_timer->stop();
    if (m_run != nullptr) {
        m_run->stopAndWait();
    }
    if (m_paths != nullptr) {
        // A failed write is reported to the user inside; the window closes all the same, since
        // the old settings file stays intact.
        (void)settings::SaveSettings(m_store, m_services.userInterface);
    }
    event->accept();
}

} // namespace talvex::gui
