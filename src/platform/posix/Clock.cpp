// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Clock.h"

#include <array>
#include <ctime>

namespace talvex::platform {

namespace {

std::string FormatLocal(Clock::TimePoint time, const char* format) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    std::tm local{};
    if (::localtime_r(&seconds, &local) == nullptr) {
        return {};
    }
    std::array<char, 128> buffer{};
    const std::size_t length = std::strftime(buffer.data(), buffer.size(), format, &local);
    return {buffer.data(), length};
}

} // namespace

std::string Clock::ShortDateText(TimePoint time) {
    return FormatLocal(time, "%x");
}

std::string Clock::LongTimeText(TimePoint time) {
    return FormatLocal(time, "%X");
}

} // namespace talvex::platform
