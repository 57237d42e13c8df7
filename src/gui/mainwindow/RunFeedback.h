// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

namespace talvex::options {
class JobState;
}
namespace talvex::session {
class Session;
}

namespace talvex::gui {

class JobRunControl;
class Tfrm_Job;
struct MainActions;

/// What the user sees of a run beyond its log: its progress and result in the job window's run
/// panel, a desktop notification when a long run ends unwatched, and the run menu's "Simulieren"
/// and its two settings.
class RunFeedback final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RunFeedback)

public:
    /// The job window that shows a job, or none.
    using WindowOf = std::function<Tfrm_Job*(const options::JobState*)>;
    /// Sends a desktop notification (summary, body).
    using Notify = std::function<void(const QString&, const QString&)>;

    /// A run that took longer than this and ends while the main window is not active is announced.
    static constexpr qint64 kNotifyAfterMs = 30'000;

    /// Everything must outlive the object; `mainWindow` is its parent.
    RunFeedback(session::Session& session, JobRunControl& run, const MainActions& actions, QWidget* mainWindow,
                WindowOf windowOf, Notify notify);
    ~RunFeedback() override = default;

    /// Connects the window's "Simulieren" button.
    void jobWindowAdded(Tfrm_Job& window);

private:
    void onPolled();
    void onStarted();
    void onFinished();

    session::Session& m_session;
    JobRunControl& m_run;
    QPointer<QWidget> m_mainWindow;
    WindowOf m_windowOf;
    Notify m_notify;
    /// Progress is shown a few times a second, not on every poll: the log needs the time more.
    QElapsedTimer m_sinceShown;
};

/// A freedesktop notification over the session's D-Bus, when Qt has D-Bus and a session bus is
/// there; silently nothing otherwise.
void NotifyDesktop(const QString& summary, const QString& body);

} // namespace talvex::gui
