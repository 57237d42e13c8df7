// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/mainwindow/JobRunControl.h"

#include "gui/jobwindow/RunPump.h"
#include "gui/jobwindow/Tfrm_Job.h"

namespace talvex::gui {

namespace {

constexpr int kShutdownPollMs = 50;

} // namespace

JobRunControl::JobRunControl(const formats::FormatServices& formats, const std::string& programFolder,
                             const std::string& settingsFolder, QObject* parent)
    : QObject(parent), m_process(platform::CreateChildProcess({programFolder, std::chrono::milliseconds(1000)})),
      m_executor({*m_process, formats, m_clock, m_media, settingsFolder, {}}),
      m_pump(new RunPump([this] { return m_executor.poll(0); }, this)) {
    connect(m_pump, &RunPump::runFinished, this, &JobRunControl::finish);
}

JobRunControl::~JobRunControl() {
    stopAndWait();
}

void JobRunControl::ExecuteJob(Tfrm_Job& job, exec::JobMode jobMode, platform::ShowMode showMode) {
    if (running()) {
        // The second press: the stop messages go to the log of the job that runs.
        m_executor.ExecuteJob(job.state(), job.log(), jobMode, showMode);
        return;
    }
    m_job = &job;
    m_executor.ExecuteJob(job.state(), job.log(), jobMode, showMode);
    Q_EMIT runStarted();
    if (m_executor.running()) {
        m_pump->start();
    } else {
        finish();
    }
}

void JobRunControl::finish() {
    Q_EMIT runFinished();
}

void JobRunControl::stopAndWait() {
    if (!running()) {
        return;
    }
    if (m_job != nullptr) {
        m_executor.ExecuteJob(m_job->state(), m_job->log(), exec::JobMode::CommandLine, platform::ShowMode::Hidden);
    }
    // The child is killed after a short grace at the latest, so this ends.
    while (m_executor.poll(kShutdownPollMs)) {
    }
    finish();
}

} // namespace talvex::gui
