// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/mainwindow/RunFeedback.h"

#include <QAction>
#include <QSignalBlocker>
#include <QWidget>
#include <chrono>
#include <utility>

#ifdef TALVEX_HAVE_QTDBUS
#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>
#endif

#include "core/session/Session.h"
#include "gui/QtText.h"
#include "gui/jobwindow/RunPanel.h"
#include "gui/jobwindow/Tfrm_Job.h"
#include "gui/mainwindow/JobRunControl.h"
#include "gui/mainwindow/MainCommands.h"

namespace talvex::gui {

namespace {

constexpr qint64 kProgressEveryMs = 200;

} // namespace

RunFeedback::RunFeedback(session::Session& session, JobRunControl& run, const MainActions& actions, QWidget* mainWindow,
                         WindowOf windowOf, Notify notify)
    : QObject(mainWindow), m_session(session), m_run(run), m_mainWindow(mainWindow), m_windowOf(std::move(windowOf)),
      m_notify(std::move(notify)) {
    {
        const QSignalBlocker askBlocker(actions.askBeforeDeleting);
        const QSignalBlocker countBlocker(actions.countFirst);
        actions.askBeforeDeleting->setChecked(m_session.settings().askBeforeDeleting());
        actions.countFirst->setChecked(m_session.settings().countFirst());
    }
    connect(actions.askBeforeDeleting, &QAction::toggled, this,
            [this](bool on) { m_session.settings().setAskBeforeDeleting(on); });
    connect(actions.countFirst, &QAction::toggled, this, [this](bool on) { m_session.settings().setCountFirst(on); });
    connect(actions.simulate, &QAction::triggered, this, [this] { m_run.simulate(); });
    connect(&m_run, &JobRunControl::runStarted, this, &RunFeedback::onStarted);
    connect(&m_run, &JobRunControl::runPolled, this, &RunFeedback::onPolled);
    connect(&m_run, &JobRunControl::runFinished, this, &RunFeedback::onFinished);
}

void RunFeedback::jobWindowAdded(Tfrm_Job& window) {
    if (RunPanel* panel = window.runPanel()) {
        connect(panel, &RunPanel::simulateRequested, this, [this] { m_run.simulate(); });
    }
}

void RunFeedback::onStarted() {
    m_sinceShown.invalidate();
    onPolled();
}

void RunFeedback::onPolled() {
    const exec::JobExecutor& executor = m_session.executor();
    if (!executor.running() || (m_sinceShown.isValid() && m_sinceShown.elapsed() < kProgressEveryMs)) {
        return;
    }
    m_sinceShown.start();
    Tfrm_Job* window = m_windowOf(executor.runningJob());
    if (window != nullptr && window->runPanel() != nullptr) {
        window->runPanel()->showProgress(executor.progress(), executor.elapsed(), executor.counting());
    }
}

void RunFeedback::onFinished() {
    const exec::RunOutcome& outcome = m_session.executor().lastOutcome();
    Tfrm_Job* window = m_windowOf(outcome.job);
    if (window != nullptr && window->runPanel() != nullptr) {
        window->runPanel()->showResult(outcome);
    }
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(outcome.duration).count();
    if (outcome.ran && ms > kNotifyAfterMs && m_mainWindow != nullptr && !m_mainWindow->isActiveWindow() && m_notify) {
        m_notify(Tr("Talvex: Job beendet"), ToQ(outcome.result.text));
    }
}

void NotifyDesktop(const QString& summary, const QString& body) {
#ifdef TALVEX_HAVE_QTDBUS
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    call << QStringLiteral("Talvex") << 0U << QStringLiteral("talvex") << summary << body << QStringList()
         << QVariantMap() << -1;
    // No answer is waited for: without a notification service the call simply goes nowhere.
    bus.call(call, QDBus::NoBlock);
#else
    (void)summary;
    (void)body;
#endif
}

} // namespace talvex::gui
