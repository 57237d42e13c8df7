// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/ChildProcess.h"

namespace talvex::fakes {

/// A child process that writes what the test scripted, one chunk a poll, then ends with the given
/// code; records the command lines it was started with.
class ScriptedChildProcess final : public platform::ChildProcess {
public:
    std::deque<std::string> chunks;
    int exitWith = 0;
    std::optional<platform::ChildStartError> startError;
    bool refuseTerminate = false;

    std::vector<std::string> commandLines;
    std::vector<platform::ShowMode> showModes;

    [[nodiscard]] std::optional<platform::ChildStartError> start(std::string_view commandLine,
                                                                 const platform::ChildStartOptions& options) override {
        commandLines.emplace_back(commandLine);
        showModes.push_back(options.showMode);
        if (startError) {
            return startError;
        }
        m_running = true;
        m_stopped = false;
        return std::nullopt;
    }

    [[nodiscard]] platform::ChildPoll poll(int /*timeoutMs*/) override {
        if (!m_running) {
            return {{}, true};
        }
        if (!chunks.empty() && !m_stopped) {
            m_current = chunks.front();
            chunks.pop_front();
            return {m_current, false};
        }
        if (chunks.empty() || m_stopped) {
            m_running = false;
            m_exitCode = m_stopped ? 128 + 15 : exitWith;
        }
        return {{}, true};
    }

    bool terminate() override {
        if (!m_running || refuseTerminate) {
            return false;
        }
        m_stopped = true;
        return true;
    }

    [[nodiscard]] bool running() const override { return m_running; }
    [[nodiscard]] std::optional<int> exitCode() const override { return m_exitCode; }
    [[nodiscard]] bool stopped() const override { return m_stopped; }
    [[nodiscard]] platform::ChildWaitHandles waitHandles() const override { return {}; }

private:
    std::string m_current;
    bool m_running = false;
    bool m_stopped = false;
    std::optional<int> m_exitCode;
};

} // namespace talvex::fakes
