// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/workspace/JobList.h"

#include <stdexcept>
#include <utility>

#include "core/services/Format.h"
#include "core/services/Paths.h"

namespace talvex::workspace {

std::string TabCaption(ScriptKind kind, std::string_view jobFilePath, unsigned number) {
    // Batch files carry Windows paths on every platform; a "\" in a POSIX name is rare enough.
    const std::string_view name = jobFilePath.empty() ? std::string_view("*.rcj") : FileNamePart(jobFilePath);
    if (static_cast<unsigned>(kind) > static_cast<unsigned>(ScriptKind::DefaultJob)) {
        return Format("%s #%d", {name, std::to_string(number)});
    }
    return std::string(name);
}

JobList::JobList(options::JobEnvironment& environment, LogFactory logFactory)
    : m_environment(environment), m_logFactory(std::move(logFactory)) {
    if (!m_logFactory) {
        throw std::invalid_argument("JobList needs a log factory");
    }
}

JobEntry& JobList::NewJob() {
    JobEntry entry;
    entry.job = std::make_unique<options::JobState>(m_environment);
    entry.log = m_logFactory(*entry.job);
    m_entries.push_back(std::move(entry));
    m_current = static_cast<int>(m_entries.size() - 1);
    if (m_observer != nullptr) {
        m_observer->jobAdded(m_entries.size() - 1);
        m_observer->currentJobChanged(m_entries.size() - 1);
    }
    return m_entries.back();
}

void JobList::select(std::size_t index) {
    if (index >= m_entries.size()) {
        return;
    }
    m_current = static_cast<int>(index);
    if (m_observer != nullptr) {
        m_observer->currentJobChanged(index);
    }
}

bool JobList::removeCurrent() {
    if (m_entries.size() < 2 || m_current < 0) {
        return false;
    }
    const auto index = static_cast<std::size_t>(m_current);
    if (m_observer != nullptr) {
        m_observer->jobAboutToBeRemoved(index);
    }
    {
        // Taken out first, so that it goes as a whole, its log (which may be its window, watching the
        // job) before its job. Erasing in place would move-assign the later entries over it member by
        // member, dropping the job before the log.
        const JobEntry removed = std::move(m_entries[index]);
        m_entries.erase(m_entries.begin() + m_current);
    }
    if (m_observer != nullptr) {
        m_observer->jobRemoved(index);
    }
    select(0);
    return true;
}

void JobList::clear() {
    while (!m_entries.empty()) {
        if (m_observer != nullptr) {
            m_observer->jobAboutToBeRemoved(m_entries.size() - 1);
        }
        m_entries.pop_back();
        if (m_observer != nullptr) {
            m_observer->jobRemoved(m_entries.size());
        }
    }
    m_current = -1;
}

void JobList::showFirstPage() {
    if (m_observer != nullptr && m_current >= 0) {
        m_observer->firstPageRequested(static_cast<std::size_t>(m_current));
    }
}

std::string JobList::tabCaption(std::size_t index) const {
    const JobEntry& entry = at(index);
    return TabCaption(entry.Kind, entry.job->jobFilePath(), entry.Number);
}

} // namespace talvex::workspace
