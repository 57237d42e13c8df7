// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/services/LogSink.h"

namespace talvex::session {

/// The log of one open job as the core writes it. Its lines go to the view attached to it (the
/// job window's log); until one is attached they wait, so that what a job logs while it is being
/// made (the default job loaded into it) still reaches its window. It owns no view.
class JobLog final : public LogSink {
public:
    /// `onDestroyed` runs when the log goes with its job.
    explicit JobLog(std::function<void()> onDestroyed = {}) : m_onDestroyed(std::move(onDestroyed)) {}
    JobLog(const JobLog&) = delete;
    JobLog& operator=(const JobLog&) = delete;
    ~JobLog() override;

    /// Sends the waiting lines and every later one to `view`, which must outlive the attachment.
    /// Nothing (nullptr) detaches: later lines are dropped, since their view has gone.
    void attach(LogSink* view);

    void appendLine(std::string_view text, LogColour colour) override;

private:
    /// A log nobody ever looks at must not grow without end.
    static constexpr std::size_t kMaxWaitingLines = 10000;

    LogSink* m_view = nullptr;
    bool m_detached = false;
    std::vector<std::pair<std::string, LogColour>> m_waiting;
    std::function<void()> m_onDestroyed;
};

} // namespace talvex::session
