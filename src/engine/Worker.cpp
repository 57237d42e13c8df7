// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Worker.h"

#include <atomic>

#include "engine/Temporary.h"

namespace robocopy {

Worker::Worker() : m_thread([this] { loop(); }) {}

Worker::~Worker() {
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void Worker::start(std::function<void()> task) {
    {
        const std::lock_guard lock(m_mutex);
        m_task = std::move(task);
        m_busy = true;
    }
    m_changed.notify_all();
}

void Worker::wait() {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_busy; });
}

void Worker::forEach(std::size_t count, const std::function<void(std::size_t index, int slot)>& task) {
    std::atomic<std::size_t> next{0};
    const auto work = [&](int slot) {
        for (std::size_t i = next++; i < count; i = next++) {
            task(i, slot);
        }
    };
    if (count > 1) {
        start([&work] { work(1); });
    }
    work(0);
    if (count > 1) {
        wait();
    }
}

void Worker::loop() {
    BlockInterrupts(); // the handler runs on the main thread and waits for this one's file creation
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stop || (m_busy && m_task); });
        if (m_stop) {
            return;
        }
        std::function<void()> task = std::move(m_task);
        m_task = nullptr;
        lock.unlock();
        task();
        lock.lock();
        m_busy = false;
        m_changed.notify_all();
    }
}

} // namespace robocopy
