// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <memory>
#include <string>

#include "core/exec/JobExecutor.h"

namespace talvex::formats {
class FormatServices;
}

namespace talvex::gui {

class RunPump;
class Tfrm_Job;

/// The one Start/Stop of the program: runs a job window's job through robocopy with the output in
/// its log, polled from the event loop, and stops it on the second press. At most one run at a time.
class JobRunControl final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(JobRunControl)

public:
    /// `formats` must outlive the object. Programs are looked for in `programFolder` first (empty:
    /// the program's own folder), then in PATH; the temporary job file goes to `settingsFolder`.
    JobRunControl(const formats::FormatServices& formats, const std::string& programFolder,
                  const std::string& settingsFolder, QObject* parent);
    ~JobRunControl() override;

    /// Start when idle; while a run is in progress (of whichever job), stop it.
    void ExecuteJob(Tfrm_Job& job, exec::JobMode jobMode, platform::ShowMode showMode);

    /// The running mark: set from the press of Start until the run has ended.
    [[nodiscard]] bool running() const { return m_executor.running(); }
    [[nodiscard]] Tfrm_Job* runningJob() const { return running() ? m_job.data() : nullptr; }

    /// Stops a run in progress and waits for its end (at shutdown, where no event loop follows).
    void stopAndWait();

Q_SIGNALS:
    void runStarted();
    void runFinished();

private:
    void finish();

    std::unique_ptr<platform::ChildProcess> m_process;
    platform::SystemClock m_clock;
    exec::NoMediaSteps m_media;
    exec::JobExecutor m_executor;
    RunPump* m_pump;
    QPointer<Tfrm_Job> m_job;
};

} // namespace talvex::gui
