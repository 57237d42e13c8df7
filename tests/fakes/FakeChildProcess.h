// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/ChildProcess.h"

namespace talvex::fakes {

/// A child that hands out scripted output, one chunk a poll, and ends when the script says so.
/// Records what it was asked to start and whether it was told to stop.
class FakeChildProcess final : public platform::ChildProcess {
public:
    /// The output of the next child, one entry per poll.
    std::deque<std::string> chunks;
    /// After the last chunk: end (with `code`), or keep running until terminated.
    bool endsByItself = true;
    int code = 0;
    /// When set, the next start fails with this message.
    std::optional<std::string> startFailure;
    bool refuseTerminate = false;

    /// The output and exit code of each later child, one a start, while any are left; they take
    /// the place of `chunks` and `code`.
    struct Script {
        std::deque<std::string> chunks;
        int code = 0;
        bool endsByItself = true;
    };
    std::deque<Script> scripts;

    std::vector<std::string> commandLines;
    std::vector<platform::ChildStartOptions> startOptions;
    int terminations = 0;

    std::optional<platform::ChildStartError> start(std::string_view commandLine,
                                                   const platform::ChildStartOptions& options) override {
        if (m_running) {
            return platform::ChildStartError{16, "Device or resource busy"};
        }
        if (startFailure) {
            return platform::ChildStartError{2, *std::exchange(startFailure, std::nullopt)};
        }
        if (!scripts.empty()) {
            chunks = std::move(scripts.front().chunks);
            code = scripts.front().code;
            endsByItself = scripts.front().endsByItself;
            scripts.pop_front();
        }
        commandLines.emplace_back(commandLine);
        startOptions.push_back(options);
        m_running = true;
        m_stopped = false;
        m_exitCode.reset();
        return std::nullopt;
    }

    platform::ChildPoll poll(int) override {
        if (!m_running) {
            return {{}, true};
        }
        m_current.clear();
        if (!chunks.empty()) {
            m_current = std::move(chunks.front());
            chunks.pop_front();
        }
        if ((chunks.empty() && endsByItself) || m_stopped) {
            m_running = false;
            m_exitCode = m_stopped ? 128 + 15 : code;
            return {m_current, true};
        }
        return {m_current, false};
    }

    bool terminate() override {
        if (!m_running || refuseTerminate) {
            return false;
        }
        ++terminations;
        m_stopped = true;
        return true;
    }

    [[nodiscard]] bool running() const override { return m_running; }
    [[nodiscard]] std::optional<int> exitCode() const override { return m_exitCode; }
    [[nodiscard]] bool stopped() const override { return m_stopped; }
    [[nodiscard]] platform::ChildWaitHandles waitHandles() const override { return {}; }

private:
    bool m_running = false;
    bool m_stopped = false;
    std::optional<int> m_exitCode;
    std::string m_current;
};

} // namespace talvex::fakes
