// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/mainwindow/JobRunControl.h"

#include "gui/jobwindow/RunPump.h"
#include "gui/jobwindow/Tfrm_Job.h"

namespace talvex::gui {

namespace {

constexpr int kShutdownPollMs = 50;

} // namespace

JobRunControl::JobRunControl(const formats::FormatServices& formats, const std::string& programFolder, QObject* parent)
    : QObject(parent), m_process(platform::CreateChildProcess({programFolder, std::chrono::milliseconds(1000)})),
      m_execution(*m_process, formats),
      m_pump(new RunPump([this] { return m_execution.poll(0) == exec::ChildRun::State::Running; }, this)) {
    connect(m_pump, &RunPump::runFinished, this, &JobRunControl::finish);
}

JobRunControl::~JobRunControl() {
    stopAndWait();
}

void JobRunControl::ExecuteJob(Tfrm_Job& job, const exec::RunModes& modes, const std::string& temporaryJobFile) {
    if (m_running) {
        m_execution.stop();
        return;
    }
    m_running = true;
    m_job = &job;
    Q_EMIT runStarted();
    if (m_execution.start(job.state(), job.log(), modes, temporaryJobFile)) {
        m_pump->start();
    } else {
        finish();
    }
}

void JobRunControl::finish() {
    m_running = false;
    Q_EMIT runFinished();
}

void JobRunControl::stopAndWait() {
    if (!m_running || !m_execution.running()) {
        return;
    }
    m_execution.stop();
    // The child is killed after a short grace at the latest, so this ends.
    while (m_execution.poll(kShutdownPollMs) == exec::ChildRun::State::Running) {
    }
    finish();
}

} // namespace talvex::gui
