// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <string>

namespace talvex::platform {

/// The time of day, and the system's short date and long time texts of it (as shown in the status
/// bar and written into files). Tests derive a clock that returns a fixed time.
class Clock {
public:
    using TimePoint = std::chrono::system_clock::time_point;

    virtual ~Clock() = default;
    [[nodiscard]] virtual TimePoint now() const = 0;

    /// The date in the user's short form ("06.12.2026" in German), local time.
    [[nodiscard]] std::string shortDateText() const { return ShortDateText(now()); }
    /// The time in the user's long form, with seconds ("10:04:05" in German), local time.
    [[nodiscard]] std::string longTimeText() const { return LongTimeText(now()); }

    /// The texts of any point in time, in the locale of the process (LC_TIME) and the local time zone.
    [[nodiscard]] static std::string ShortDateText(TimePoint time);
    [[nodiscard]] static std::string LongTimeText(TimePoint time);
};

class SystemClock final : public Clock {
public:
    [[nodiscard]] TimePoint now() const override { return std::chrono::system_clock::now(); }
};

} // namespace talvex::platform
