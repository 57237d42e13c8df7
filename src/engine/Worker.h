// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace robocopy {

// Threads that share the work of one loop with the calling thread: listing the source and the
// destination folders side by side (a re-sync of an unchanged tree is nothing but these listings),
// and writing many small files at once.
class Worker final {
public:
    // threads counts the calling thread too; at least one.
    explicit Worker(int threads = 2);
    ~Worker();
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    [[nodiscard]] int threads() const { return static_cast<int>(m_helpers.size()) + 1; }

    // Runs task(index, slot) for every index below count, shared between this thread (slot 0) and
    // the others (slots 1 and up, each its own); returns when all are done.
    void forEach(std::size_t count, const std::function<void(std::size_t index, int slot)>& task);

private:
    void loop(int slot);
    void work(int slot);

    std::mutex m_mutex;
    std::condition_variable m_changed;
    const std::function<void(std::size_t, int)>* m_task = nullptr;
    std::size_t m_count = 0;
    std::atomic<std::size_t> m_next{0};
    unsigned m_generation = 0; // one more for every loop handed out
    int m_wanted = 0;          // helpers still welcome in the current loop
    int m_running = 0;         // helpers in the current loop
    bool m_stop = false;
    std::vector<std::thread> m_helpers;
};

} // namespace robocopy
