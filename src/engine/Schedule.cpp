// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Schedule.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <thread>

#include <poll.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace robocopy {

namespace {

constexpr int kMinutesPerDay = 24 * 60;
constexpr std::uint32_t kWatched =
    IN_CREATE | IN_DELETE | IN_MODIFY | IN_ATTRIB | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF;
constexpr auto kPollInterval = std::chrono::seconds(2);

std::string HoursText(int start, int end) {
    std::array<char, 32> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%02d%02d-%02d%02d", start / 60, start % 60, end / 60, end % 60);
    return buffer.data();
}

} // namespace

int SecondsUntilRunHours(int minuteOfDay, int second, int start, int end) {
    const bool inside = start == end || (start < end ? minuteOfDay >= start && minuteOfDay < end
                                                     : minuteOfDay >= start || minuteOfDay < end);
    if (inside) {
        return 0;
    }
    const int minutes = (start - minuteOfDay + kMinutesPerDay) % kMinutesPerDay;
    return minutes * 60 - second;
}

void WaitForRunHours(const Options& options, Report& report) {
    if (options.runHoursStart < 0) {
        return;
    }
    bool told = false;
    for (;;) {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        ::localtime_r(&now, &local);
        const int wait = SecondsUntilRunHours(local.tm_hour * 60 + local.tm_min, local.tm_sec, options.runHoursStart,
                                              options.runHoursEnd);
        if (wait <= 0) {
            return;
        }
        if (!told) {
            report.note("Waiting for the run hours " + HoursText(options.runHoursStart, options.runHoursEnd) + "...");
            report.flush();
            told = true;
        }
        // In short steps, so that a change of the clock is noticed.
        std::this_thread::sleep_for(std::chrono::seconds(std::min(wait, 30)));
    }
}

ChangeMonitor::ChangeMonitor(const std::string& root, bool poll) : m_root(root) {
    m_fd = poll ? -1 : ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_fd >= 0) {
        watchTree(root);
    }
    if (m_fd < 0) {
        m_last = snapshot();
    }
}

ChangeMonitor::~ChangeMonitor() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

void ChangeMonitor::watchTree(const std::string& folder) {
    std::error_code error;
    const int watch = ::inotify_add_watch(m_fd, folder.c_str(), kWatched | IN_ONLYDIR | IN_DONT_FOLLOW);
    if (watch < 0) {
        // Out of watches: polling sees the whole tree instead.
        ::close(m_fd);
        m_fd = -1;
        m_watches.clear();
        return;
    }
    m_watches[watch] = folder;
    for (auto it = std::filesystem::directory_iterator(folder, error); !error && it != std::filesystem::end(it);
         it.increment(error)) {
        if (it->is_directory(error) && !it->is_symlink(error) && m_fd >= 0) {
            watchTree(it->path().string());
        }
    }
}

std::uint64_t ChangeMonitor::collect() {
    if (m_fd < 0) {
        std::this_thread::sleep_for(kPollInterval);
        Snapshot now = snapshot();
        std::uint64_t changes = 0;
        for (const auto& [path, state] : now) {
            const auto before = m_last.find(path);
            changes += before == m_last.end() || before->second != state ? 1 : 0;
        }
        for (const auto& [path, state] : m_last) {
            changes += now.contains(path) ? 0 : 1;
        }
        m_last = std::move(now);
        return changes;
    }
    pollfd ready{m_fd, POLLIN, 0};
    if (::poll(&ready, 1, 1000) <= 0) {
        return 0;
    }
    alignas(inotify_event) std::array<char, 16384> buffer{};
    std::uint64_t changes = 0;
    for (ssize_t got = 0; (got = ::read(m_fd, buffer.data(), buffer.size())) > 0;) {
        for (ssize_t at = 0; at < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer.data() + at);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            if ((event->mask & IN_Q_OVERFLOW) != 0) {
                changes += 1000; // lost count: surely many
            } else if ((event->mask & IN_IGNORED) == 0) {
                ++changes;
            }
            const auto folder = m_watches.find(event->wd);
            if ((event->mask & IN_ISDIR) != 0 && (event->mask & (IN_CREATE | IN_MOVED_TO)) != 0 &&
                folder != m_watches.end() && event->len > 0) {
                watchTree(folder->second + "/" + event->name);
            }
        }
    }
    return changes;
}

ChangeMonitor::Snapshot ChangeMonitor::snapshot() const {
    Snapshot result;
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(m_root, error);
         !error && it != std::filesystem::end(it); it.increment(error)) {
        struct stat status {};
        if (::lstat(it->path().c_str(), &status) == 0) {
            result[it->path().string()] = {status.st_size,
                                           status.st_mtim.tv_sec * 1000000000LL + status.st_mtim.tv_nsec};
        }
    }
    return result;
}

void ChangeMonitor::waitForNextPass(const Options& options) {
    const auto started = std::chrono::steady_clock::now();
    const auto period = std::chrono::minutes(options.monitorMinutes);
    std::uint64_t changes = 0;
    for (;;) {
        changes += collect();
        const bool enough = changes > static_cast<std::uint64_t>(options.monitorChanges);
        if (enough && std::chrono::steady_clock::now() - started >= period) {
            return;
        }
    }
}

} // namespace robocopy
