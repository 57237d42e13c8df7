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

TEST(JobListTest, LogGoesWhileItsJobStillExists) {
    fakes::FakeJobEnvironment environment;
    std::vector<std::string> gone;
    {
        JobList jobs(environment, [&gone](options::JobState& job) { return std::make_unique<WatchingLog>(job, gone); });
        for (const char* path : {"a.rcj", "b.rcj", "c.rcj", "d.rcj"}) {
            jobs.NewJob().job->setJobFilePath(path);
        }
        // Removing from the middle moves the later jobs down.
        jobs.select(1);
        ASSERT_TRUE(jobs.removeCurrent());
        EXPECT_EQ(gone, std::vector<std::string>{"b.rcj"});
        EXPECT_EQ(jobs.at(1).job->jobFilePath(), "c.rcj");
        jobs.clear();
    }
    EXPECT_EQ(gone, (std::vector<std::string>{"b.rcj", "d.rcj", "c.rcj", "a.rcj"}));
}

} // namespace
} // namespace talvex::workspace
