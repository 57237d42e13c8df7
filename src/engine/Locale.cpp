// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Locale.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace robocopy {

namespace {

// Fixed tables rather than strftime's names: the C library knows only the locales that are
// installed, and a log must not switch language because a locale package is missing.
constexpr std::array<std::string_view, 7> kDaysEnglish = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                          "Thursday", "Friday", "Saturday"};
constexpr std::array<std::string_view, 7> kDaysGerman = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                                                         "Donnerstag", "Freitag", "Samstag"};
constexpr std::array<std::string_view, 12> kMonthsEnglish = {"January",   "February", "March",    "April",
                                                             "May",       "June",     "July",     "August",
                                                             "September", "October",  "November", "December"};
constexpr std::array<std::string_view, 12> kMonthsGerman = {"Januar",    "Februar", "M\xC3\xA4rz", "April",
                                                            "Mai",       "Juni",    "Juli",        "August",
                                                            "September", "Oktober", "November",    "Dezember"};

std::string_view Variable(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string_view() : std::string_view(value);
}

} // namespace

Locale SystemLocale() {
    std::string_view name = Variable("LC_ALL");
    if (name.empty()) {
        name = Variable("LC_TIME");
    }
    if (name.empty()) {
        name = Variable("LANG");
    }
    return Locale{name.starts_with("de")};
}

std::string LongDate(std::time_t when, const Locale& locale) {
    std::tm t{};
    ::localtime_r(&when, &t);
    const auto day = static_cast<std::size_t>(t.tm_wday % 7);
    const auto month = static_cast<std::size_t>(t.tm_mon % 12);
    std::array<char, 128> buffer{};
    if (locale.german) {
        std::snprintf(buffer.data(), buffer.size(), "%s, %d. %s %d %02d:%02d:%02d", kDaysGerman[day].data(), t.tm_mday,
                      kMonthsGerman[month].data(), t.tm_year + 1900, t.tm_hour, t.tm_min, t.tm_sec);
    } else {
        const int hour = t.tm_hour % 12 == 0 ? 12 : t.tm_hour % 12;
        std::snprintf(buffer.data(), buffer.size(), "%s, %s %d, %d %d:%02d:%02d %s", kDaysEnglish[day].data(),
                      kMonthsEnglish[month].data(), t.tm_mday, t.tm_year + 1900, hour, t.tm_min, t.tm_sec,
                      t.tm_hour < 12 ? "AM" : "PM");
    }
    return buffer.data();
}

std::string GroupedNumber(double value, int decimals, const Locale& locale) {
    std::array<char, 64> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.*f", decimals, value < 0 ? 0.0 : value);
    const std::string_view plain(buffer.data());
    const std::size_t point = plain.find('.');
    const std::string_view whole = plain.substr(0, point);
    std::string result;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) {
            result += locale.german ? '.' : ',';
        }
        result += whole[i];
    }
    if (point != std::string_view::npos) {
        result += locale.german ? ',' : '.';
        result += plain.substr(point + 1);
    }
    return result;
}

} // namespace robocopy
