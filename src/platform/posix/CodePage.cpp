// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/CodePage.h"

#include <array>

#include "platform/Unicode.h"

namespace talvex::platform {

// The system code page on POSIX is UTF-8, so the conversions only repair ill-formed input.

std::string ToSystemCodePage(std::string_view utf8) {
    return SanitizeUtf8(utf8);
}

std::string FromSystemCodePage(std::string_view text) {
    return SanitizeUtf8(text);
}

std::string FromFileCodePage(std::string_view text) {
    if (IsValidUtf8(text)) {
        return std::string(text);
    }
    // 0x80 to 0x9F; the five unassigned bytes keep their own code, as Windows converts them.
    static constexpr std::array<char16_t, 32> kHigh = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    std::u16string units;
    units.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        units.push_back(byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : static_cast<char16_t>(byte));
    }
    return Utf16ToUtf8(units);
}

bool IsRepresentableInSystemCodePage(std::string_view utf8) {
    return SanitizeUtf8(utf8) == utf8;
}

} // namespace talvex::platform
