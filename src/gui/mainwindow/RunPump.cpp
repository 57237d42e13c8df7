// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/mainwindow/RunPump.h"

#include <utility>

namespace talvex::gui {

namespace {

// Often enough that output appears as it is written, seldom enough that a child writing line by
// line is read in batches; the pipe holds what arrives meanwhile.
constexpr int kPollMs = 15;

} // namespace

RunPump::RunPump(std::function<bool()> pollOnce, QObject* parent) : QObject(parent), m_pollOnce(std::move(pollOnce)) {
    m_timer.setInterval(kPollMs);
    connect(&m_timer, &QTimer::timeout, this, &RunPump::onTick);
}

void RunPump::start() {
    m_timer.start();
}

void RunPump::onTick() {
    if (!m_pollOnce()) {
        m_timer.stop();
        Q_EMIT runFinished();
    }
}

} // namespace talvex::gui
