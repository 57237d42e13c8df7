// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace robocopy {

// One background thread that runs one task at a time. Listing the destination folder beside the
// source folder keeps both cores busy: a re-sync of an unchanged tree is nothing but these listings.
class Worker final {
public:
    Worker();
    ~Worker();
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    void start(std::function<void()> task);
    void wait();

    // Runs task(index, slot) for every index below count, shared between this thread (slot 0) and
    // the worker (slot 1); returns when all are done.
    void forEach(std::size_t count, const std::function<void(std::size_t index, int slot)>& task);

private:
    void loop();

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::function<void()> m_task;
    bool m_busy = false;
    bool m_stop = false;
    std::thread m_thread;
};

} // namespace robocopy
