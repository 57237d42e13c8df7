// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/services/LogSink.h"

namespace talvex {

Rgb ToRgb(LogColour colour) {
    switch (colour) {
    case LogColour::Black:
        return {0, 0, 0};
    case LogColour::Red:
        return {255, 0, 0};
    case LogColour::Blue:
        return {0, 0, 255};
    case LogColour::Green:
        return {0, 128, 0};
    case LogColour::Navy:
        return {0, 0, 128};
    case LogColour::Purple:
        return {128, 0, 128};
    case LogColour::Orange:
        return {224, 112, 0};
    }
    return {0, 0, 0};
}

} // namespace talvex
