// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Clock.h"

#include <clocale>
#include <cstdlib>
#include <ctime>

#include <gtest/gtest.h>

#include "fakes/FixedClock.h"

namespace talvex::platform {
namespace {

TEST(Clock, FormatsTheInjectedTimeInTheLocalZone) {
    // 2026-12-06 09:04:05 UTC
    const Clock::TimePoint time = std::chrono::system_clock::from_time_t(1796547845);
    fakes::FixedClock clock(time);
    const std::string oldTz = std::getenv("TZ") != nullptr ? std::getenv("TZ") : "";
    ::setenv("TZ", "CET-1", 1);
    ::tzset();
    std::setlocale(LC_TIME, "C");
    EXPECT_EQ(clock.shortDateText(), "12/06/26");
    EXPECT_EQ(clock.longTimeText(), "10:04:05");
    if (std::setlocale(LC_TIME, "de_DE.UTF-8") != nullptr) {
        EXPECT_EQ(clock.shortDateText(), "06.12.2026");
        EXPECT_EQ(clock.longTimeText(), "10:04:05");
    }
    std::setlocale(LC_TIME, "C");
    ::setenv("TZ", oldTz.c_str(), 1);
    ::tzset();
}

} // namespace
} // namespace talvex::platform
