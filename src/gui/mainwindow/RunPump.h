// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

namespace talvex::gui {

/// Drives a child run from the event loop: looks at its output every few milliseconds without
/// waiting, so the windows stay usable however much the child writes, and reports its end once.
class RunPump final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RunPump)

public:
    /// `pollOnce` reads what the child has written without waiting and returns false once the
    /// run is over.
    RunPump(std::function<bool()> pollOnce, QObject* parent);
    ~RunPump() override = default;

    void start();
    [[nodiscard]] bool active() const { return m_timer.isActive(); }

Q_SIGNALS:
    /// The child has ended and every line it wrote is in the log.
    void runFinished();

private:
    void onTick();

    std::function<bool()> m_pollOnce;
    QTimer m_timer;
};

} // namespace talvex::gui
