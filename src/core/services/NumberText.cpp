// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/services/NumberText.h"

#include <cmath>
#include <cstdint>

namespace talvex {

std::string FormatWholeNumber(double value, std::string_view thousandsSeparator) {
    if (!std::isfinite(value)) {
        return "0";
    }
    const double rounded = std::round(value);
    // Anything beyond 2^63 is no size of this world; clamp instead of overflowing.
    const double limit = 9.2e18;
    const bool negative = rounded < 0;
    const auto magnitude = static_cast<std::uint64_t>(std::fmin(std::fabs(rounded), limit));
    const std::string digits = std::to_string(magnitude);
    std::string out = negative && magnitude != 0 ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            out += thousandsSeparator;
        }
        out += digits[i];
    }
    return out;
}

} // namespace talvex
