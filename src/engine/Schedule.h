// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include <sys/types.h>

#include "engine/Options.h"
#include "engine/Report.h"

// When a run copies: the run hours of /RH, and the monitoring of /MON and /MOT that starts the next pass.
namespace robocopy {

// Seconds from a time of the day (minute and second) until run hours from start to end (minutes of
// the day; past midnight when end is before start; all day when both are equal) begin; 0 inside them.
[[nodiscard]] int SecondsUntilRunHours(int minuteOfDay, int second, int start, int end);
// Waits while the time is outside the run hours of /RH, saying so once.
void WaitForRunHours(const Options& options, Report& report);

// Counts changes below a folder from the moment it is made: with inotify where it can, else by
// comparing listings every few seconds (or when told to poll: inotify is missing on some systems and
// refused inside some containers, and that path must work as well).
class ChangeMonitor final {
public:
    explicit ChangeMonitor(const std::string& root, bool poll = false);
    ~ChangeMonitor();
    ChangeMonitor(const ChangeMonitor&) = delete;
    ChangeMonitor& operator=(const ChangeMonitor&) = delete;

    // Returns once the next pass is due: more than /MON changes seen, and /MOT minutes gone by with
    // at least one change.
    void waitForNextPass(const Options& options);
    // Changes seen within about a second, or within a poll's interval.
    [[nodiscard]] std::uint64_t collect();

private:
    using Snapshot = std::map<std::string, std::pair<off_t, std::int64_t>>;
    void watchTree(const std::string& folder);
    [[nodiscard]] Snapshot snapshot() const;

    std::string m_root;
    int m_fd = -1;                        // inotify, or -1 when polling
    std::map<int, std::string> m_watches; // watch to folder
    Snapshot m_last;                      // when polling
};

} // namespace robocopy
