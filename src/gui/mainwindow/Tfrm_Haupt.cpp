// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/mainwindow/Tfrm_Haupt.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QSignalBlocker>
#include <QTime>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <array>
#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "core/presentation/WindowLayout.h"
#include "core/services/Paths.h"
#include "core/services/Translate.h"
#include "core/services/UserInterface.h"
#include "core/settings/SaveSettings.h"
#include "core/settings/SettingsFolder.h"
#include "core/workspace/Workspace.h"
#include "gui/Pictures.h"
#include "gui/QtText.h"
#include "gui/dialogs/FontTextMeasurer.h"
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

constexpr std::array kWindowModeItems = {"mni_AusfuehrenRoboHide", "mni_AusfuehrenRoboNormal", "mni_AusfuehrenRoboMini",
                                         "mni_AusfuehrenRoboMaxi"};
constexpr std::array kJobModeItems = {"mnu_AusfuehrenJobCmd", "mnu_AusfuehrenJobTmp"};

// The log of a job in the core's list is its window's log view. The list's entry owns the window
// through it: the entry drops its log before its job state, so the window lets go of the state
// while the state still exists.
class JobWindowLog final : public LogSink {
public:
    explicit JobWindowLog(Tfrm_Job* window) : m_window(window) {}
    JobWindowLog(const JobWindowLog&) = delete;
    JobWindowLog& operator=(const JobWindowLog&) = delete;
    ~JobWindowLog() override { delete m_window.data(); }

    void appendLine(std::string_view text, LogColour colour) override {
        if (m_window != nullptr) {
            m_window->log().appendLine(text, colour);
        }
    }
    [[nodiscard]] Tfrm_Job* window() const { return m_window; }

private:
    QPointer<Tfrm_Job> m_window;
};

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

    if (m_services.formats == nullptr) {
        throw std::invalid_argument("the main window needs format services");
    }
    const std::string runFolder = m_settingsFolder.empty() ? QDir::tempPath().toStdString() : m_settingsFolder;
    m_run = new JobRunControl(*m_services.formats, m_services.programFolder, runFolder, this);
    connect(m_run, &JobRunControl::runStarted, this, &Tfrm_Haupt::onRunChanged);
    connect(m_run, &JobRunControl::runFinished, this, &Tfrm_Haupt::onRunChanged);
    openSettings();

    m_measurer = std::make_unique<FontTextMeasurer>(font());
    // Robocopy is looked for beside the program first, as when it is started.
    std::vector<std::string> systemFolders{m_services.programFolder.empty()
                                               ? QCoreApplication::applicationDirPath().toStdString()
                                               : m_services.programFolder};
    systemFolders.insert(systemFolders.end(), m_services.systemFolders.begin(), m_services.systemFolders.end());
    workspace::WorkspaceServices core{.environment = m_services.environment,
                                      .formats = *m_services.formats,
                                      .store = m_store,
                                      .paths = *m_paths,
                                      .ui = m_services.userInterface,
                                      .measurer = *m_measurer,
                                      .documentsFolder = m_services.documentsFolder,
                                      .systemFolders = std::move(systemFolders)};
    m_workspace = std::make_unique<workspace::Workspace>(std::move(core), [this](options::JobState& job) {
        auto* form = new Tfrm_Job(m_services, job, m_jobArea);
        form->setGeometry(m_jobArea->rect());
        form->setTooltipps(findChild<QAction*>(QStringLiteral("mni_ToolTipps"))->isChecked());
        form->setImageView(findChild<QAction*>(QStringLiteral("mni_ImageView"))->isChecked());
        return std::make_unique<JobWindowLog>(form);
    });
    // The workspace opens its first job while it is made, before anyone can watch the list.
    workspace::JobList& jobs = m_workspace->jobs();
    jobs.setObserver(this);
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        jobAdded(i);
    }
    currentJobChanged(static_cast<std::size_t>(jobs.CurrentJob()));
    refreshDefaultJobMenu();
    refreshFileCommands();
    Timer1Timer();
}

Tfrm_Haupt::~Tfrm_Haupt() {
    // The run writes into a job window, which goes with the workspace.
    m_run->stopAndWait();
    m_workspace->jobs().setObserver(nullptr);
}

void Tfrm_Haupt::openSettings() {
    if (m_settingsFolder.empty()) {
        // Without a settings folder the commands still work; what they remember is forgotten at
        // shutdown.
        m_paths = std::make_unique<settings::PathSettings>(m_store, m_settingsFolder);
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
    // Each button runs the same action as its menu item (connected in buildMenus).
    for (const char* name : {"sbu_Speichern", "sbu_SpeichernUnter", "sbu_Start", "sbu_Info"}) {
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

    // A command runs from its menu item, its key and, where there is one, its button.
    auto command = [this](QAction* action, const char* button, auto handler, const QKeySequence& keys = {}) {
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, handler);
        if (button != nullptr) {
            connect(m_buttonPanel->findChild<QToolButton*>(QString::fromLatin1(button)), &QToolButton::clicked, this,
                    handler);
        }
    };

    QMenu* file = menuBar()->addMenu(QString());
    file->setObjectName(QStringLiteral("mni_Datei"));
    connect(file, &QMenu::aboutToShow, this, &Tfrm_Haupt::fillRecentMenu);
    command(addItem(file, "mni_DateiNeu", true, Picture::New), "sbu_Neu", &Tfrm_Haupt::NewJob, QKeySequence::New);
    command(
        addItem(file, "mni_DateiOeffnen", true, Picture::Open), "sbu_Oeffnen",
        [this] { runFileCommand([this] { (void)m_workspace->Open(); }); }, QKeySequence::Open);
    m_recent = addMenu(file, "mni_DateiJob");
    m_recent->menuAction()->setEnabled(false);
    file->addSeparator();
    command(
        addItem(file, "mni_DateiSpeichern", false, Picture::Save), "sbu_Speichern",
        [this] { runFileCommand([this] { (void)m_workspace->Save(); }); }, QKeySequence::Save);
    command(
        addItem(file, "mni_DateiSpeichernUnter", false, Picture::SaveAs), "sbu_SpeichernUnter",
        [this] { runFileCommand([this] { (void)m_workspace->SaveAs(); }); },
        QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    command(addItem(file, "mni_DateiAlleSpeichern", false), nullptr,
            [this] { runFileCommand([this] { m_workspace->SaveAllJobs(); }); });
    file->addSeparator();
    QAction* close = addItem(file, "mni_Schliessen", true, Picture::Close);
    close->setText(Tr("Schliessen"));
    command(
        close, "sbu_Schliessen",
        [this] {
            // The job whose output is being written stays open until its run ends.
            if (!m_run->running()) {
                runFileCommand([this] { m_workspace->Close(); });
            }
        },
        QKeySequence(QStringLiteral("Ctrl+W")));
    command(addItem(file, "mni_DateiBeenden", true, Picture::Exit), "sbu_Beenden", &QWidget::close,
            QKeySequence(QStringLiteral("Ctrl+Q")));

    QMenu* run = menuBar()->addMenu(QString());
    run->setObjectName(QStringLiteral("mni_Ausfuehren"));
    command(addItem(run, "mni_Start", false, Picture::Start), "sbu_Start", &Tfrm_Haupt::onStartCommand,
            QKeySequence(Qt::Key_F5));
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
    command(addItem(settings, "mni_EinstellungenSpeichern", true), nullptr,
            [this] { runFileCommand([this] { m_workspace->SaveDefaultJob(); }); });
    command(addItem(settings, "mni_EinstellungenLaden", false), nullptr,
            [this] { runFileCommand([this] { m_workspace->LoadDefaultJob(false); }); });
    command(addItem(settings, "mni_EinstellungenLoeschen", false), nullptr,
            [this] { runFileCommand([this] { m_workspace->DeleteDefaultJob(); }); });
    QAction* newWithDefaults = addItem(settings, "mni_NeuMitEinstellungen", false);
    newWithDefaults->setCheckable(true);
    command(newWithDefaults, nullptr, [this] { runFileCommand([this] { m_workspace->ToggleNewWithDefaults(); }); });
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

int Tfrm_Haupt::jobCount() const {
    return static_cast<int>(m_workspace->jobs().size());
}

int Tfrm_Haupt::currentJobIndex() const {
    return m_workspace->jobs().CurrentJob();
}

Tfrm_Job* Tfrm_Haupt::jobWindow(int index) const {
    if (index < 0 || index >= jobCount()) {
        return nullptr;
    }
    // Every log in the list comes from the factory in the constructor.
    return static_cast<const JobWindowLog&>(*m_workspace->jobs().at(static_cast<std::size_t>(index)).log).window();
}

Tfrm_Job* Tfrm_Haupt::currentJob() const {
    return jobWindow(currentJobIndex());
}

void Tfrm_Haupt::NewJob() {
    runFileCommand([this] { m_workspace->New(); });
}

void Tfrm_Haupt::SelectJob(int index) {
    if (index >= 0) {
        m_workspace->SelectJob(static_cast<std::size_t>(index));
    }
}

void Tfrm_Haupt::CloseJob() {
    runFileCommand([this] { m_workspace->CloseJob(); });
}

void Tfrm_Haupt::CloseAllJobs() {
    runFileCommand([this] { m_workspace->CloseAllJobs(); });
}

template <typename Command>
void Tfrm_Haupt::runFileCommand(Command command) {
    command();
    refreshFileCommands();
    refreshTabCaptions();
    refreshDefaultJobMenu();
}

void Tfrm_Haupt::jobAdded(std::size_t index) {
    auto* tab = new QToolButton(m_tabStrip);
    tab->setObjectName(QStringLiteral("tab_Job%1").arg(index));
    tab->setCheckable(true);
    tab->setAutoExclusive(true);
    tab->setText(ToQ(m_workspace->jobs().tabCaption(index)));
    connect(tab, &QToolButton::clicked, this, [this, tab] {
        const auto it = std::find(m_tabs.begin(), m_tabs.end(), tab);
        if (it != m_tabs.end()) {
            SelectJob(static_cast<int>(it - m_tabs.begin()));
        }
    });
    m_tabs.push_back(tab);
    tab->show();
    layoutTabs();
}

void Tfrm_Haupt::jobRemoved(std::size_t /*index*/) {
    // The tabs stay in their slots; the last slot goes, and the captions follow the jobs down.
    delete m_tabs.back();
    m_tabs.pop_back();
    refreshTabCaptions();
    layoutTabs();
}

void Tfrm_Haupt::currentJobChanged(std::size_t index) {
    const int current = static_cast<int>(index);
    for (int i = 0; i < jobCount(); ++i) {
        Tfrm_Job* form = jobWindow(i);
        if (i == current) {
            form->show();
            form->raise();
        } else {
            form->hide();
        }
    }
    if (index < m_tabs.size()) {
        m_tabs[index]->setChecked(true);
    }
    jobWindow(current)->setImageView(findChild<QAction*>(QStringLiteral("mni_ImageView"))->isChecked());
    // The buttons show what the job now in front allows, not what the one before did.
    mirrorCurrentJob();
}

void Tfrm_Haupt::firstPageRequested(std::size_t index) {
    if (Tfrm_Job* form = jobWindow(static_cast<int>(index))) {
        form->showFirstPage();
    }
}

void Tfrm_Haupt::refreshFileCommands() {
    const workspace::CommandStates states = m_workspace->commandStates();
    auto enable = [this](std::initializer_list<const char*> names, bool on) {
        for (const char* name : names) {
            for (QObject* object : findChildren<QObject*>(QString::fromLatin1(name))) {
                object->setProperty("enabled", on);
            }
        }
    };
    enable({"sbu_Speichern", "mni_DateiSpeichern"}, states.save);
    enable({"sbu_SpeichernUnter", "mni_DateiSpeichernUnter"}, states.saveAs);
    enable({"mni_DateiAlleSpeichern"}, states.saveAll);
}

void Tfrm_Haupt::refreshTabCaptions() {
    const workspace::JobList& jobs = m_workspace->jobs();
    for (std::size_t i = 0; i < m_tabs.size() && i < jobs.size(); ++i) {
        m_tabs[i]->setText(ToQ(jobs.tabCaption(i)));
    }
}

void Tfrm_Haupt::refreshDefaultJobMenu() {
    const workspace::DefaultJobMenu& menu = m_workspace->defaultJobMenu();
    // The default job lives in the settings folder; without one it would land wherever the
    // program happened to be started.
    findChild<QAction*>(QStringLiteral("mni_EinstellungenSpeichern"))->setEnabled(!m_settingsFolder.empty());
    findChild<QAction*>(QStringLiteral("mni_EinstellungenLaden"))->setEnabled(menu.loadEnabled);
    findChild<QAction*>(QStringLiteral("mni_EinstellungenLoeschen"))->setEnabled(menu.deleteEnabled);
    auto* newWithDefaults = findChild<QAction*>(QStringLiteral("mni_NeuMitEinstellungen"));
    newWithDefaults->setEnabled(menu.newWithDefaultsEnabled);
    newWithDefaults->setChecked(menu.newWithDefaultsChecked);
}

void Tfrm_Haupt::fillRecentMenu() {
    m_recent->clear();
    for (const settings::RecentScript& script : m_paths->recentScripts()) {
        // A "&" in a file name is text, not the mark of a menu key.
        QString caption = ToQ(script.caption);
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* item = m_recent->addAction(caption);
        connect(item, &QAction::triggered, this,
                [this, path = script.path] { runFileCommand([this, &path] { m_workspace->OpenRecent(path); }); });
    }
    m_recent->menuAction()->setEnabled(!m_recent->isEmpty());
}

void Tfrm_Haupt::setRobocopyVersion(const QString& versionName) {
    m_version->setText(versionName);
}

void Tfrm_Haupt::Timer1Timer() {
    m_clock->setText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
    Tfrm_Job* job = currentJob();
    if (job != nullptr && job->state().stateChangedFlag()) {
        mirrorCurrentJob();
    }
}

void Tfrm_Haupt::mirrorCurrentJob() {
    options::JobState& state = currentJob()->state();
    // While a run is in progress the button is Stop and must stay usable whichever job is shown.
    const bool startEnabled = state.readyFlag() || m_startStopState == 1;
    for (const char* name : {"sbu_Start", "mni_Start"}) {
        findChild<QObject*>(QString::fromLatin1(name))->setProperty("enabled", startEnabled);
    }
    refreshFileCommands();
    const auto current = static_cast<std::size_t>(currentJobIndex());
    m_tabs[current]->setText(ToQ(m_workspace->jobs().tabCaption(current)));
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
    for (int i = 0; i < jobCount(); ++i) {
        jobWindow(i)->setGeometry(m_jobArea->rect());
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
    if (!m_settingsFolder.empty()) {
        m_store.writeBool("Settings", "ImageView", on);
    }
    if (Tfrm_Job* job = currentJob()) {
        job->setImageView(on);
    }
}

void Tfrm_Haupt::onTooltippsToggled(bool on) {
    if (!m_settingsFolder.empty()) {
        m_store.writeBool("Settings", "Tooltipps", on);
    }
    // Only the current job switches; the others keep their mode until they are opened anew.
    if (Tfrm_Job* job = currentJob()) {
        job->setTooltipps(on);
    }
}

void Tfrm_Haupt::onStartCommand() {
    Tfrm_Job* job = currentJob();
    if (job == nullptr) {
        return;
    }
    m_run->ExecuteJob(*job, static_cast<exec::JobMode>(m_jobMode), static_cast<platform::ShowMode>(m_windowMode));
}

void Tfrm_Haupt::onRunModeChosen(QAction* item) {
    const QString name = item->objectName();
    for (std::size_t i = 0; i < kWindowModeItems.size(); ++i) {
        if (name == QLatin1String(kWindowModeItems[i])) {
            m_windowMode = static_cast<long long>(i);
            if (!m_settingsFolder.empty()) {
                m_store.writeInteger("Execute", "Window", m_windowMode);
            }
        }
    }
    for (std::size_t i = 0; i < kJobModeItems.size(); ++i) {
        if (name == QLatin1String(kJobModeItems[i])) {
            m_jobMode = static_cast<long long>(i);
            if (!m_settingsFolder.empty()) {
                m_store.writeInteger("Execute", "Job", m_jobMode);
            }
        }
    }
}

void Tfrm_Haupt::onRunChanged() {
    m_startStopState = m_run->running() ? 1 : 0;
    // The timer shows Start or Stop once the current job's flags say something changed.
    for (int i = 0; i < jobCount(); ++i) {
        options::JobState& state = jobWindow(i)->state();
        state.setReadyFlag(state.readyFlag());
    }
    // The job whose output is being written cannot be closed meanwhile.
    const bool busy = m_startStopState == 1;
    for (const char* name : {"sbu_Schliessen", "mni_Schliessen"}) {
        findChild<QObject*>(QString::fromLatin1(name))->setProperty("enabled", !busy);
    }
    Timer1Timer();
}

void Tfrm_Haupt::closeEvent(QCloseEvent* event) {
    // The close box asks like Exit does: closing the window must not drop modified jobs unasked.
    bool mayEnd = false;
    runFileCommand([this, &mayEnd] { mayEnd = m_workspace->Exit(); });
    if (!mayEnd) {
        event->ignore();
        return;
    }
    m_timer->stop();
    m_run->stopAndWait();
    if (!m_settingsFolder.empty()) {
        // A failed write is reported to the user inside; the window closes all the same, since
        // the old settings file stays intact.
        (void)settings::SaveSettings(m_store, m_services.userInterface);
    }
    event->accept();
}

} // namespace talvex::gui
