// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "core/services/LogSink.h"

namespace talvex::fakes {

/// Keeps every line with its colour, so tests can assert on what the user would have seen.
class RecordingLogSink final : public LogSink {
public:
    struct Line {
        std::string text;
        LogColour colour;
        friend bool operator==(const Line&, const Line&) = default;
    };

    void appendLine(std::string_view text, LogColour colour) override {
        m_lines.push_back({std::string(text), colour});
    }

    [[nodiscard]] const std::vector<Line>& lines() const { return m_lines; }
    [[nodiscard]] std::vector<std::string> texts() const {
        std::vector<std::string> out;
        out.reserve(m_lines.size());
        for (const auto& line : m_lines) {
            out.push_back(line.text);
        }
        return out;
    }
    [[nodiscard]] bool contains(std::string_view text, LogColour colour) const {
        for (const auto& line : m_lines) {
            if (line.text == text && line.colour == colour) {
                return true;
            }
        }
        return false;
    }
    void clear() { m_lines.clear(); }

private:
    std::vector<Line> m_lines;
};

} // namespace talvex::fakes
