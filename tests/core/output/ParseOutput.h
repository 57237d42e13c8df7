// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <vector>

#include "core/output/RobocopyOutput.h"

namespace talvex::testing {

// The events of a whole output, fed line by line as the run's tap feeds them.
inline std::vector<output::Event> Parse(std::string_view text) {
    output::RobocopyOutput parser;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        parser.feedLine(text.substr(start, end - start));
        start = end + 1;
    }
    return parser.takeEvents();
}

} // namespace talvex::testing
