// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Clock.h"

#include <array>
#include <ctime>

#include "platform/win32/Wide.h"

namespace talvex::platform {

namespace {

// The user's own date and time forms from the control panel, which the C library's "%x" does not know.
SYSTEMTIME LocalSystemTime(Clock::TimePoint time) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    std::tm local{};
    SYSTEMTIME system{};
    if (::localtime_s(&local, &seconds) != 0) {
        return system;
    }
    system.wYear = static_cast<WORD>(local.tm_year + 1900);
    system.wMonth = static_cast<WORD>(local.tm_mon + 1);
    system.wDay = static_cast<WORD>(local.tm_mday);
    system.wDayOfWeek = static_cast<WORD>(local.tm_wday);
    system.wHour = static_cast<WORD>(local.tm_hour);
    system.wMinute = static_cast<WORD>(local.tm_min);
    system.wSecond = static_cast<WORD>(local.tm_sec);
    return system;
}

} // namespace

std::string Clock::ShortDateText(TimePoint time) {
    const SYSTEMTIME local = LocalSystemTime(time);
    std::array<wchar_t, 128> buffer{};
    const int length = ::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &local, nullptr, buffer.data(),
                                         static_cast<int>(buffer.size()), nullptr);
    return length > 0 ? win32::Narrow({buffer.data(), static_cast<std::size_t>(length - 1)}) : std::string();
}

std::string Clock::LongTimeText(TimePoint time) {
    const SYSTEMTIME local = LocalSystemTime(time);
    std::array<wchar_t, 128> buffer{};
    const int length =
        ::GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &local, nullptr, buffer.data(), static_cast<int>(buffer.size()));
    return length > 0 ? win32::Narrow({buffer.data(), static_cast<std::size_t>(length - 1)}) : std::string();
}

} // namespace talvex::platform
