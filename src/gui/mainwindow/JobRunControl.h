// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace talvex::session {
class Session;
}

namespace talvex::gui {

class RunPump;

/// Drives the session's one Start/Stop from the event loop: the run's output is polled without
/// blocking, so the windows stay usable, and the end of a run is reported once.
class JobRunControl final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(JobRunControl)

public:
    /// `session` must outlive the object.
    JobRunControl(session::Session& session, QObject* parent);
    ~JobRunControl() override;

    /// Start the current job when idle; while a run is in progress (of whichever job), stop it.
    void ExecuteJob();

    /// Runs the current job with /L only, when nothing runs.
    void simulate();

    /// The running mark: set from the press of Start until the run has ended.
    [[nodiscard]] bool running() const;

    /// Stops a run in progress and waits for its end (at shutdown, where no event loop follows).
    void stopAndWait();

Q_SIGNALS:
    void runStarted();
    void runFinished();
    /// The run has been polled; its progress may have moved.
    void runPolled();

private:
    /// After a start: the pump drives the run, or its end is reported at once.
    void started();

    session::Session& m_session;
    RunPump* m_pump;
};

} // namespace talvex::gui
