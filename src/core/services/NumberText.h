// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace talvex {

/// The number rounded to a whole (halves away from zero) with the separator between groups of
/// three digits: 12345.4 with "." gives "12.345". The separator is a parameter so that the text does
/// not depend on the locale of the process.
[[nodiscard]] std::string FormatWholeNumber(double value, std::string_view thousandsSeparator);

} // namespace talvex
