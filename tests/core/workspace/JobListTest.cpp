// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/workspace/JobList.h"

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fakes/FakeJobEnvironment.h"

namespace talvex::workspace {
namespace {

TEST(JobListTest, TabCaptionFollowsKindAndPath) {
    struct Case {
        const char* path;
        unsigned kind, number;
        const char* caption;
    };
    for (const Case& c : {
             Case{"", 1, 0, "*.rcj"},
             Case{"/home/anna/Jobs/Sicherung.rcj", 1, 0, "Sicherung.rcj"},
             Case{"/home/anna/Jobs/alle.bat", 5, 3, "alle.bat #3"},
             Case{"/home/anna/Jobs/alle.cmd", 6, 1, "alle.cmd #1"},
             Case{"/tmp/unbekannt.bat", 255, 0, "unbekannt.bat #0"},
             Case{"/tmp/~default.rcj", 4, 0, "~default.rcj"},
         }) {
        EXPECT_EQ(TabCaption(static_cast<ScriptKind>(c.kind), c.path, c.number), c.caption) << c.path;
    }
}

// The program's log of a job is its window, which still reads the job as it goes.
class WatchingLog final : public LogSink {
public:
    WatchingLog(const options::JobState& job, std::vector<std::string>& gone) : m_job(job), m_gone(gone) {}
    WatchingLog(const WatchingLog&) = delete;
    WatchingLog& operator=(const WatchingLog&) = delete;
    ~WatchingLog() override { m_gone.push_back(m_job.jobFilePath()); }
    void appendLine(std::string_view, LogColour) override {}

private:
    const options::JobState& m_job;
    std::vector<std::string>& m_gone;
};

// The program's window list drops a job's window when told the job is about to go.
class WindowListObserver final : public JobListObserver {
public:
    explicit WindowListObserver(const JobList& jobs) : m_jobs(jobs) {}
    void jobAboutToBeRemoved(std::size_t index) override { dropped.push_back(m_jobs.at(index).job->jobFilePath()); }
    std::vector<std::string> dropped;

private:
    const JobList& m_jobs;
};

TEST(JobListTest, LogAndWindowGoWhileTheirJobStillExists) {
    fakes::FakeJobEnvironment environment;
    std::vector<std::string> gone;
    std::vector<std::string> dropped;
    {
        JobList jobs(environment, [&gone](options::JobState& job) { return std::make_unique<WatchingLog>(job, gone); });
        WindowListObserver windows(jobs);
        jobs.setObserver(&windows);
        for (const char* path : {"a.rcj", "b.rcj", "c.rcj", "d.rcj"}) {
            jobs.NewJob().job->setJobFilePath(path);
        }
        // Removing from the middle moves the later jobs down.
        jobs.select(1);
        ASSERT_TRUE(jobs.removeCurrent());
        EXPECT_EQ(gone, std::vector<std::string>{"b.rcj"});
        EXPECT_EQ(jobs.at(1).job->jobFilePath(), "c.rcj");
        jobs.clear();
        dropped = windows.dropped;
    }
    EXPECT_EQ(gone, (std::vector<std::string>{"b.rcj", "d.rcj", "c.rcj", "a.rcj"}));
    EXPECT_EQ(dropped, gone);
}

} // namespace
} // namespace talvex::workspace
