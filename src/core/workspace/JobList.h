// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/options/JobEnvironment.h"
#include "core/options/JobState.h"
#include "core/services/LogSink.h"
#include "core/workspace/ScriptKind.h"

namespace talvex::workspace {

/// One open job: its state, the log view of its window and where it came from.
struct JobEntry {
    ScriptKind Kind = ScriptKind::JobFile;
    /// The job's number inside a multi-job batch file; 0 otherwise.
    unsigned Number = 0;
    std::unique_ptr<options::JobState> job;
    /// Declared after the job, so that it goes first: a log may belong to a window that watches the job.
    std::unique_ptr<LogSink> log;
};

/// The tab caption of a job: the file name ("*.rcj" without a file), for kinds above 4 followed by
/// " #" and the job's number.
[[nodiscard]] std::string TabCaption(ScriptKind kind, std::string_view jobFilePath, unsigned number);

/// Told about the changes of the job list, so the program can create and drop job windows and tab
/// buttons. Indices are positions in the list at the time of the call.
class JobListObserver {
public:
    virtual ~JobListObserver() = default;
    /// A job was appended at `index` (always the end).
    virtual void jobAdded(std::size_t /*index*/) {}
    /// The job at `index` is about to be removed and still exists: whatever watches its state lets
    /// go of it now.
    virtual void jobAboutToBeRemoved(std::size_t /*index*/) {}
    /// The job at `index` was removed; the later ones moved down by one.
    virtual void jobRemoved(std::size_t /*index*/) {}
    /// The job at `index` became the current job.
    virtual void currentJobChanged(std::size_t /*index*/) {}
    /// The window of the job at `index` should show its first tab page (after a file was read).
    virtual void firstPageRequested(std::size_t /*index*/) {}
};

/// The ordered list of open jobs and the current one. It is never empty once the first job is made:
/// removing the last job goes through `clear` followed by `NewJob`.
class JobList final {
public:
    /// Makes the log sink of a new job's window. Tests record the lines.
    using LogFactory = std::function<std::unique_ptr<LogSink>(options::JobState& job)>;

    /// `environment` must outlive the list.
    JobList(options::JobEnvironment& environment, LogFactory logFactory);

    void setObserver(JobListObserver* observer) { m_observer = observer; }

    [[nodiscard]] std::size_t size() const { return m_entries.size(); }
    [[nodiscard]] bool empty() const { return m_entries.empty(); }
    [[nodiscard]] JobEntry& at(std::size_t index) { return m_entries.at(index); }
    [[nodiscard]] const JobEntry& at(std::size_t index) const { return m_entries.at(index); }

    /// Index of the job that commands act on; -1 while the list is empty.
    [[nodiscard]] int CurrentJob() const { return m_current; }
    [[nodiscard]] JobEntry& current() { return at(static_cast<std::size_t>(m_current)); }
    [[nodiscard]] const JobEntry& current() const { return at(static_cast<std::size_t>(m_current)); }

    /// Appends a fresh job (kind job file, number 0) and makes it current.
    JobEntry& NewJob();

    /// Makes the job at `index` current.
    void select(std::size_t index);

    /// Removes the current job when more than one is open; the first job becomes current.
    /// False (and nothing changes) with a single job.
    bool removeCurrent();

    /// Removes every job, from the last to the first.
    void clear();

    [[nodiscard]] std::string tabCaption(std::size_t index) const;

    /// Asks the current job's window to show its first tab page.
    void showFirstPage();

private:
    options::JobEnvironment& m_environment;
    LogFactory m_logFactory;
    JobListObserver* m_observer = nullptr;
    std::vector<JobEntry> m_entries;
    int m_current = -1;
};

} // namespace talvex::workspace
