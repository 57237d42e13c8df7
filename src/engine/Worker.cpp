// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Worker.h"

#include <algorithm>

#include "engine/Temporary.h"

namespace robocopy {

Worker::Worker(int threads) {
    const int helpers = std::clamp(threads, 1, kWriterSlots) - 1;
    for (int slot = 1; slot <= helpers; ++slot) {
        m_helpers.emplace_back([this, slot] { loop(slot); });
    }
}

Worker::~Worker() {
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    for (std::thread& helper : m_helpers) {
        helper.join();
    }
}

void Worker::work(int slot) {
    for (std::size_t i = m_next++; i < m_count; i = m_next++) {
        (*m_task)(i, slot);
    }
}

void Worker::forEach(std::size_t count, const std::function<void(std::size_t index, int slot)>& task) {
    const auto helpers = static_cast<int>(std::min(m_helpers.size(), count > 0 ? count - 1 : 0));
    {
        const std::lock_guard lock(m_mutex);
        m_task = &task;
        m_count = count;
        m_next = 0;
        m_wanted = helpers;
        ++m_generation;
    }
    if (helpers > 0) {
        m_changed.notify_all();
    }
    work(0);
    std::unique_lock lock(m_mutex);
    m_wanted = 0; // a helper that wakes only now finds nothing left
    m_changed.wait(lock, [this] { return m_running == 0; });
    m_task = nullptr;
}

void Worker::loop(int slot) {
    BlockInterrupts(); // the handler runs on the main thread and waits for this one's file creation
    unsigned seen = 0;
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [&] { return m_stop || (m_generation != seen && m_wanted > 0); });
        if (m_stop) {
            return;
        }
        seen = m_generation;
        --m_wanted;
        ++m_running;
        lock.unlock();
        work(slot);
        lock.lock();
        --m_running;
        m_changed.notify_all();
    }
}

} // namespace robocopy
