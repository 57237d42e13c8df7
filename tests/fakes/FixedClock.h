// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Clock.h"

namespace talvex::fakes {

/// A clock that stands still at the time the test sets.
class FixedClock final : public platform::Clock {
public:
    explicit FixedClock(TimePoint time) : m_time(time) {}
    [[nodiscard]] TimePoint now() const override { return m_time; }
    void set(TimePoint time) { m_time = time; }

private:
    TimePoint m_time;
};

} // namespace talvex::fakes
