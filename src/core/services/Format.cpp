// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/services/Format.h"

namespace talvex {

std::string Format(std::string_view pattern, std::initializer_list<std::string_view> args) {
    std::string out;
    out.reserve(pattern.size() + 32);
    const auto* next = args.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c != '%' || i + 1 >= pattern.size()) {
            out += c;
            continue;
        }
        const char kind = pattern[i + 1];
        if (kind == '%') {
            out += '%';
            ++i;
        } else if ((kind == 's' || kind == 'd') && next != args.end()) {
            out += *next++;
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

std::string PaddedLabel(std::string_view text) {
    std::string label(text);
    std::size_t characters = 0;
    for (const char c : label) {
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    if (characters < 10) {
        label.append(10 - characters, ' ');
    }
    return label;
}

} // namespace talvex
