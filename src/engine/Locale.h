// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ctime>
#include <string>

namespace robocopy {

// How dates and figures are written. robocopy follows the user's locale there; the captions stay English.
// German and English are the languages Talvex speaks; every other locale is written as English.
struct Locale {
    bool german = false;
};

// The locale for dates and figures, from LC_ALL, then LC_TIME, then LANG, as the C library looks.
[[nodiscard]] Locale SystemLocale();

// "Saturday, October 18, 2025 2:44:57 PM" or "Samstag, 18. Oktober 2025 14:44:57".
[[nodiscard]] std::string LongDate(std::time_t when, const Locale& locale);

// A figure with the locale's digit grouping and decimal mark: "1,234,567.891" or "1.234.567,891".
[[nodiscard]] std::string GroupedNumber(double value, int decimals, const Locale& locale);

} // namespace robocopy
