// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/mainwindow/Tfrm_Haupt.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTime>
#include <QTimer>
#include <QToolButton>
#include <utility>

#include "core/presentation/WindowLayout.h"
#include "core/session/Session.h"
#include "core/workspace/Workspace.h"
#include "gui/QtText.h"
#include "gui/dialogs/Tfrm_InfoBox.h"
#include "gui/mainwindow/JobFileDrop.h"
#include "gui/mainwindow/JobRunControl.h"
#include "gui/mainwindow/JobTabStrip.h"
#include "gui/mainwindow/LanguageMenu.h"
#include "gui/mainwindow/MainCommands.h"
#include "gui/mainwindow/RunFeedback.h"

namespace talvex::gui {

namespace {

constexpr int kClientWidth = 540;
constexpr int kClientHeight = 660;
constexpr int kLeftWidth = 76;
// The left column ends 25 pixels above the client's bottom and must hold the whole button column,
// or the top and bottom buttons cannot be reached: so the minimum is a little above the design's 500.
constexpr int kMinimumClientHeight = presentation::kButtonColumnHeight + 25;
constexpr int kStatusHeight = 19;
constexpr int kTabStripHeight = 21;

} // namespace

Tfrm_Haupt::Tfrm_Haupt(session::Session& session, JobWindowServices services, QWidget* parent)
    : QMainWindow(parent), m_session(session), m_services(std::move(services)) {
    setObjectName(QStringLiteral("Tfrm_Haupt"));
    setWindowTitle(QStringLiteral("Talvex"));
    // Without a settings file the job windows remember no paths: their history buttons stay off.
    m_services.paths = m_session.hasSettingsFile() ? &m_session.paths() : nullptr;
    m_services.store = m_session.hasSettingsFile() ? &m_session.store() : nullptr;
    buildFrame();
    m_commands = new MainCommands(menuBar(), m_buttonPanel, this);
    m_run = new JobRunControl(m_session, this);
    m_languages = new LanguageMenu(m_commands->actions().languages, this);
    m_feedback = new RunFeedback(
        m_session, *m_run, m_commands->actions(), this,
        [this](const options::JobState* job) -> Tfrm_Job* {
            for (const auto& window : m_jobWindows) {
                if (&window->state() == job) {
                    return window.get();
                }
            }
            return nullptr;
        },
        &NotifyDesktop);
    new JobFileDrop(this, [this](const std::string& file) { openFiles({file}); });
    connectCommands();
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

    restoreSettings();
    // The session opens its first job before anyone can watch the list.
    workspace::JobList& jobs = m_session.jobs();
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
    // The run writes into a job window's log.
    m_run->stopAndWait();
    m_session.jobs().setObserver(nullptr);
    for (std::size_t i = m_jobWindows.size(); i > 0; --i) {
        jobAboutToBeRemoved(i - 1);
    }
}

void Tfrm_Haupt::restoreSettings() {
    const settings::ProgramSettings& settings = m_session.settings();
    const MainActions& actions = m_commands->actions();
    // Restoring the check marks must not write them back: block the toggled handlers meanwhile.
    const QSignalBlocker imageViewBlocker(actions.imageView);
    const QSignalBlocker tooltipsBlocker(actions.tooltips);
    actions.imageView->setChecked(settings.imageView());
    actions.tooltips->setChecked(settings.tooltips());
    m_commands->markRunModes(static_cast<int>(settings.robocopyWindow()), static_cast<int>(settings.runMode()));
}

void Tfrm_Haupt::buildFrame() {
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("pnl_Client"));
    setCentralWidget(m_client);

    m_left = new QWidget(m_client);
    m_left->setObjectName(QStringLiteral("pnl_Left"));
    m_buttonPanel = new QWidget(m_left);
    m_buttonPanel->setObjectName(QStringLiteral("pnl_Button"));

    m_jobArea = new QWidget(m_client);
    m_jobArea->setObjectName(QStringLiteral("pnl_JobForm"));
    m_tabs = new JobTabStrip(m_client);
    connect(m_tabs, &JobTabStrip::tabClicked, this, &Tfrm_Haupt::SelectJob);

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
}

void Tfrm_Haupt::connectCommands() {
    const MainActions& a = m_commands->actions();
    workspace::Workspace& files = m_session.workspace();
    auto on = [this](QAction* action, auto handler) { connect(action, &QAction::triggered, this, handler); };
    on(a.newJob, &Tfrm_Haupt::NewJob);
    on(a.open, [this, &files] { runFileCommand([&files] { (void)files.Open(); }); });
    connect(a.file, &QMenu::aboutToShow, this, &Tfrm_Haupt::fillRecentMenu);
    on(a.save, [this, &files] { runFileCommand([&files] { (void)files.Save(); }); });
    on(a.saveAs, [this, &files] { runFileCommand([&files] { (void)files.SaveAs(); }); });
    on(a.saveAll, [this, &files] { runFileCommand([&files] { files.SaveAllJobs(); }); });
    on(a.close, [this, &files] {
        // The job whose output is being written stays open until its run ends.
        if (!m_run->running()) {
            runFileCommand([&files] { files.Close(); });
        }
    });
    on(a.exit, &QWidget::close);
    on(a.start, [this] { m_run->ExecuteJob(); });
    for (QAction* mode : a.windowModes) {
        on(mode, [this, mode] { onRunModeChosen(mode); });
    }
    for (QAction* mode : a.jobModes) {
        on(mode, [this, mode] { onRunModeChosen(mode); });
    }
    on(a.saveDefault, [this, &files] { runFileCommand([&files] { files.SaveDefaultJob(); }); });
    on(a.loadDefault, [this, &files] { runFileCommand([&files] { files.LoadDefaultJob(false); }); });
    on(a.deleteDefault, [this, &files] { runFileCommand([&files] { files.DeleteDefaultJob(); }); });
    on(a.newWithDefaults, [this, &files] { runFileCommand([&files] { files.ToggleNewWithDefaults(); }); });
    connect(a.tooltips, &QAction::toggled, this, &Tfrm_Haupt::onTooltippsToggled);
    connect(a.imageView, &QAction::toggled, this, &Tfrm_Haupt::onImageViewToggled);
    // Keys that switch jobs, as between the tabs of a browser; they work wherever the focus is.
    for (const auto& key :
         {std::pair{QKeySequence(Qt::CTRL | Qt::Key_Tab), 1}, std::pair{QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
          std::pair{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
          std::pair{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1},
          std::pair{QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1}}) {
        auto* shortcut = new QShortcut(key.first, this);
        const int step = key.second;
        connect(shortcut, &QShortcut::activated, this, [this, step] { selectNeighbourJob(step); });
    }
    connect(m_languages, &LanguageMenu::languageChosen, this, &Tfrm_Haupt::onLanguageChosen);
    on(a.info, &Tfrm_Haupt::showInfoBox);
    connect(m_run, &JobRunControl::runStarted, this, &Tfrm_Haupt::onRunChanged);
    connect(m_run, &JobRunControl::runFinished, this, &Tfrm_Haupt::onRunChanged);
}

void Tfrm_Haupt::SetCaptions() {
    m_commands->SetCaptions();
    // The caption of Start follows the run.
    m_commands->setStart(m_commands->actions().start->isEnabled(), m_run->running());
}

void Tfrm_Haupt::BuildLanguageMenu(const std::vector<presentation::Language>& languages) {
    m_languages->fill(languages);
    // The stored choice wins over the command line; a language whose catalogue is gone is passed over.
    const std::string stored = m_session.settings().language();
    if (!stored.empty()) {
        (void)m_languages->chooseCaption(stored);
    }
}

void Tfrm_Haupt::onLanguageChosen(const QString& caption) {
    m_session.settings().setLanguage(caption.toStdString());
}

void Tfrm_Haupt::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
    }
}

void Tfrm_Haupt::retranslate() {
    // The window caption is the program's description and stays as it is.
    SetCaptions();
    refreshTabCaptions();
}

void Tfrm_Haupt::showInfoBox() {
    Tfrm_InfoBox box(QCoreApplication::applicationFilePath().toStdString(), this);
    box.exec();
}

int Tfrm_Haupt::jobCount() const {
    return static_cast<int>(m_jobWindows.size());
}

int Tfrm_Haupt::currentJobIndex() const {
    return m_session.jobs().CurrentJob();
}

Tfrm_Job* Tfrm_Haupt::jobWindow(int index) const {
    if (index < 0 || index >= jobCount()) {
        return nullptr;
    }
    return m_jobWindows[static_cast<std::size_t>(index)].get();
}

Tfrm_Job* Tfrm_Haupt::currentJob() const {
    return jobWindow(currentJobIndex());
}

QToolButton* Tfrm_Haupt::tabButton(int index) const {
    return m_tabs->tab(index);
}

workspace::Workspace& Tfrm_Haupt::workspace() {
    return m_session.workspace();
}

void Tfrm_Haupt::NewJob() {
    runFileCommand([this] { m_session.workspace().New(); });
}

void Tfrm_Haupt::SelectJob(int index) {
    if (index >= 0) {
        m_session.workspace().SelectJob(static_cast<std::size_t>(index));
    }
}

void Tfrm_Haupt::selectNeighbourJob(int step) {
    const int count = jobCount();
    if (count > 1) {
        SelectJob((currentJobIndex() + step + count) % count);
    }
}

void Tfrm_Haupt::CloseJob() {
    runFileCommand([this] { m_session.workspace().CloseJob(); });
}

void Tfrm_Haupt::openFiles(const std::vector<std::string>& files) {
    for (const std::string& file : files) {
        // Each failure is shown and logged; the next file still opens.
        runFileCommand([this, &file] { (void)m_session.workspace().OpenFile(file); });
    }
}

void Tfrm_Haupt::CloseAllJobs() {
    runFileCommand([this] { m_session.workspace().CloseAllJobs(); });
}

template <typename Command>
void Tfrm_Haupt::runFileCommand(Command command) {
    command();
    refreshFileCommands();
    refreshTabCaptions();
    refreshDefaultJobMenu();
}

void Tfrm_Haupt::jobAdded(std::size_t index) {
    options::JobState& state = *m_session.jobs().at(index).job;
    auto window = std::make_unique<Tfrm_Job>(m_services, state, m_jobArea);
    window->setGeometry(m_jobArea->rect());
    window->setTooltipps(m_commands->actions().tooltips->isChecked());
    window->setImageView(m_commands->actions().imageView->isChecked());
    if (session::JobLog* log = m_session.jobLog(state)) {
        log->attach(&window->log());
    }
    m_feedback->jobWindowAdded(*window);
    m_jobWindows.insert(m_jobWindows.begin() + static_cast<std::ptrdiff_t>(index), std::move(window));
    m_tabs->appendTab(ToQ(m_session.jobs().tabCaption(index)));
}

void Tfrm_Haupt::jobAboutToBeRemoved(std::size_t index) {
    if (index >= m_jobWindows.size()) {
        return;
    }
    // The window lets go of the job's state while the state still exists.
    if (session::JobLog* log = m_session.jobLog(m_jobWindows[index]->state())) {
        log->attach(nullptr);
    }
    m_jobWindows.erase(m_jobWindows.begin() + static_cast<std::ptrdiff_t>(index));
}

void Tfrm_Haupt::jobRemoved(std::size_t /*index*/) {
    // The tabs stay in their slots; the last slot goes, and the captions follow the jobs down.
    m_tabs->removeLastTab();
    refreshTabCaptions();
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
    m_tabs->setCurrent(current);
    if (Tfrm_Job* form = jobWindow(current)) {
        form->setImageView(m_commands->actions().imageView->isChecked());
    }
    // The buttons show what the job now in front allows, not what the one before did.
    mirrorCurrentJob();
}

void Tfrm_Haupt::firstPageRequested(std::size_t index) {
    if (Tfrm_Job* form = jobWindow(static_cast<int>(index))) {
        form->showFirstPage();
    }
}

void Tfrm_Haupt::refreshFileCommands() {
    const workspace::CommandStates states = m_session.workspace().commandStates();
    const MainActions& a = m_commands->actions();
    a.save->setEnabled(states.save);
    a.saveAs->setEnabled(states.saveAs);
    a.saveAll->setEnabled(states.saveAll);
}

void Tfrm_Haupt::refreshTabCaptions() {
    const workspace::JobList& jobs = m_session.jobs();
    for (int i = 0; i < m_tabs->count() && i < static_cast<int>(jobs.size()); ++i) {
        m_tabs->setCaption(i, ToQ(jobs.tabCaption(static_cast<std::size_t>(i))));
    }
}

void Tfrm_Haupt::refreshDefaultJobMenu() {
    const workspace::DefaultJobMenu& menu = m_session.workspace().defaultJobMenu();
    const MainActions& a = m_commands->actions();
    // The default job lives in the settings folder; without one it would land wherever the
    // program happened to be started.
    a.saveDefault->setEnabled(m_session.hasSettingsFile());
    a.loadDefault->setEnabled(menu.loadEnabled);
    a.deleteDefault->setEnabled(menu.deleteEnabled);
    a.newWithDefaults->setEnabled(menu.newWithDefaultsEnabled);
    a.newWithDefaults->setChecked(menu.newWithDefaultsChecked);
}

void Tfrm_Haupt::fillRecentMenu() {
    QMenu* recent = m_commands->actions().recent;
    recent->clear();
    for (const settings::RecentScript& script : m_session.paths().recentScripts()) {
        // A "&" in a file name is text, not the mark of a menu key.
        QString caption = ToQ(script.caption);
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* item = recent->addAction(caption);
        connect(item, &QAction::triggered, this, [this, path = script.path] {
            runFileCommand([this, &path] { m_session.workspace().OpenRecent(path); });
        });
    }
    recent->menuAction()->setEnabled(!recent->isEmpty());
}

void Tfrm_Haupt::setRobocopyVersion(const QString& versionName) {
    m_version->setText(versionName);
}

void Tfrm_Haupt::setBundledEngine(bool on) {
    m_services.bundledEngine = on;
    for (const auto& window : m_jobWindows) {
        window->setBundledEngine(on);
    }
}

void Tfrm_Haupt::Timer1Timer() {
    m_clock->setText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
    Tfrm_Job* job = currentJob();
    if (job != nullptr && job->state().stateChangedFlag()) {
        mirrorCurrentJob();
    }
}

void Tfrm_Haupt::mirrorCurrentJob() {
    Tfrm_Job* job = currentJob();
    if (job == nullptr) {
        return;
    }
    options::JobState& state = job->state();
    const bool running = m_run->running();
    // While a run is in progress the button is Stop and must stay usable whichever job is shown.
    m_commands->setStart(state.readyFlag() || running, running);
    refreshFileCommands();
    m_tabs->setCaption(currentJobIndex(),
                       ToQ(m_session.jobs().tabCaption(static_cast<std::size_t>(currentJobIndex()))));
    state.clearStateChangedFlag();
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
    m_tabs->setGeometry(jobLeft, tabTop, width - jobLeft, kTabStripHeight);
    m_jobArea->setGeometry(jobLeft, -3, width - jobLeft, tabTop - 2 + 3);
    for (const auto& window : m_jobWindows) {
        window->setGeometry(m_jobArea->rect());
    }
}

void Tfrm_Haupt::onImageViewToggled(bool on) {
    m_session.settings().setImageView(on);
    if (Tfrm_Job* job = currentJob()) {
        job->setImageView(on);
    }
}

void Tfrm_Haupt::onTooltippsToggled(bool on) {
    m_session.settings().setTooltips(on);
    // One choice for the whole program: a job behind another tab must not keep the other mode.
    for (const auto& window : m_jobWindows) {
        window->setTooltipps(on);
    }
}

void Tfrm_Haupt::onRunModeChosen(QAction* item) {
    const MainActions& a = m_commands->actions();
    settings::ProgramSettings& settings = m_session.settings();
    for (std::size_t i = 0; i < a.windowModes.size(); ++i) {
        if (item == a.windowModes[i]) {
            settings.setRobocopyWindow(static_cast<settings::RobocopyWindow>(i));
        }
    }
    for (std::size_t i = 0; i < a.jobModes.size(); ++i) {
        if (item == a.jobModes[i]) {
            settings.setRunMode(static_cast<settings::RunMode>(i));
        }
    }
}

void Tfrm_Haupt::onRunChanged() {
    // The timer shows Start or Stop once the current job's flags say something changed.
    for (const auto& window : m_jobWindows) {
        options::JobState& state = window->state();
        state.setReadyFlag(state.readyFlag());
    }
    // The job whose output is being written cannot be closed meanwhile.
    m_commands->actions().close->setEnabled(!m_run->running());
    Timer1Timer();
}

void Tfrm_Haupt::closeEvent(QCloseEvent* event) {
    // The close box asks like Exit does: closing the window must not drop modified jobs unasked.
    bool mayEnd = false;
    runFileCommand([this, &mayEnd] { mayEnd = m_session.workspace().Exit(); });
    if (!mayEnd) {
        event->ignore();
        return;
    }
    m_timer->stop();
    m_run->stopAndWait();
    // A failed write is reported to the user inside; the window closes all the same, since the old
    // settings file stays intact.
    (void)m_session.saveSettings();
    event->accept();
}

} // namespace talvex::gui
