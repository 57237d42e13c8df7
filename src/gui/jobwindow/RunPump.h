// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>

namespace talvex::exec {
class ChildRun;
}

namespace talvex::gui {

/// Drives a child run from the event loop: looks at its output every few milliseconds without
/// waiting, so the windows stay usable however much the child writes, and reports its end once.
class RunPump final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RunPump)

public:
    /// `run` must outlive the pump and already be started.
    RunPump(exec::ChildRun& run, QObject* parent);
    ~RunPump() override = default;

    void start();
    [[nodiscard]] bool active() const { return m_timer.isActive(); }

Q_SIGNALS:
    /// The child has ended and every line it wrote is in the log.
    void runFinished();

private:
    void onTick();

    exec::ChildRun& m_run;
    QTimer m_timer;
};

} // namespace talvex::gui
