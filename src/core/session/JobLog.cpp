// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/JobLog.h"

namespace talvex::session {

JobLog::~JobLog() {
    if (m_onDestroyed) {
        m_onDestroyed();
    }
}

void JobLog::attach(LogSink* view) {
    m_view = view;
    m_detached = view == nullptr;
    if (m_view == nullptr) {
        m_waiting.clear();
        return;
    }
    for (const auto& [text, colour] : std::exchange(m_waiting, {})) {
        m_view->appendLine(text, colour);
    }
}

void JobLog::appendLine(std::string_view text, LogColour colour) {
    if (m_view != nullptr) {
        m_view->appendLine(text, colour);
    } else if (!m_detached && m_waiting.size() < kMaxWaitingLines) {
        m_waiting.emplace_back(text, colour);
    }
}

} // namespace talvex::session
