// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/mainwindow/JobRunControl.h"

#include "core/session/Session.h"
#include "gui/mainwindow/RunPump.h"

namespace talvex::gui {

JobRunControl::JobRunControl(session::Session& session, QObject* parent)
    : QObject(parent), m_session(session), m_pump(new RunPump(
                                               [this] {
                                                   const bool goesOn = m_session.executor().poll(0);
                                                   Q_EMIT runPolled();
                                                   return goesOn;
                                               },
                                               this)) {
    connect(m_pump, &RunPump::runFinished, this, &JobRunControl::runFinished);
}

JobRunControl::~JobRunControl() {
    stopAndWait();
}

bool JobRunControl::running() const {
    return m_session.executor().running();
}

void JobRunControl::ExecuteJob() {
    if (running()) {
        // The second press: the stop messages go to the log of the job that runs.
        m_session.startOrStopCurrentJob();
        return;
    }
    m_session.startOrStopCurrentJob();
    started();
}

void JobRunControl::simulate() {
    if (running()) {
        return;
    }
    m_session.simulateCurrentJob();
    started();
}

void JobRunControl::started() {
    Q_EMIT runStarted();
    if (running()) {
        m_pump->start();
    } else {
        Q_EMIT runFinished();
    }
}

void JobRunControl::stopAndWait() {
    if (!running()) {
        return;
    }
    m_session.stopAndWait();
    Q_EMIT runFinished();
}

} // namespace talvex::gui
