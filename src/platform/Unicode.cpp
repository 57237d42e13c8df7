// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Unicode.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace talvex::platform {

namespace {

struct Decoded {
    char32_t codePoint;
    std::size_t length; // bytes consumed, at least 1
};

// One code point from the front of non-empty UTF-8 text. Follows the "maximal subpart" rule of the
// Unicode standard: an invalid sequence consumes the bytes that could still have started a valid one.
Decoded DecodeOne(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byte(0);
    if (lead < 0x80) {
        return {lead, 1};
    }
    std::size_t length = 0;
    char32_t value = 0;
    std::uint8_t low = 0x80; // allowed range of the second byte, which rules out overlongs and surrogates
    std::uint8_t high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return {kReplacementCharacter, 1};
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (i >= text.size()) {
            return {kReplacementCharacter, i};
        }
        const std::uint8_t b = byte(i);
        const std::uint8_t min = i == 1 ? low : 0x80;
        const std::uint8_t max = i == 1 ? high : 0xBF;
        if (b < min || b > max) {
            return {kReplacementCharacter, i};
        }
        value = (value << 6) | (b & 0x3F);
    }
    return {value, length};
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void AppendUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 | (c >> 10));
        out += static_cast<char16_t>(0xDC00 | (c & 0x3FF));
    }
}

bool IsHighSurrogate(char16_t u) {
    return u >= 0xD800 && u <= 0xDBFF;
}

bool IsLowSurrogate(char16_t u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}

template <typename UnitAt>
void AppendDecodedUtf16(std::string& out, std::size_t count, UnitAt unitAt) {
    for (std::size_t i = 0; i < count; ++i) {
        const char16_t unit = unitAt(i);
        if (IsHighSurrogate(unit) && i + 1 < count && IsLowSurrogate(unitAt(i + 1))) {
            const char16_t next = unitAt(++i);
            AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (next - 0xDC00));
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            AppendUtf8(out, kReplacementCharacter);
        } else {
            AppendUtf8(out, unit);
        }
    }
}

template <typename UnitAt>
std::string DecodeUtf16(std::size_t count, UnitAt unitAt) {
    std::string out;
    out.reserve(count);
    AppendDecodedUtf16(out, count, unitAt);
    return out;
}

} // namespace

bool IsValidUtf8(std::string_view bytes) {
    // Plain ASCII, by far the most common case in program output, is passed eight bytes at a time.
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    while (bytes.size() >= sizeof(std::uint64_t)) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data(), sizeof word);
        if ((word & kHighBits) != 0) {
            break;
        }
        bytes.remove_prefix(sizeof word);
    }
    while (!bytes.empty()) {
        const Decoded d = DecodeOne(bytes);
        if (d.codePoint == kReplacementCharacter && bytes.substr(0, d.length) != "\xEF\xBF\xBD") {
            return false;
        }
        bytes.remove_prefix(d.length);
    }
    return true;
}

void AppendValidUtf8(std::string& out, std::string_view bytes) {
    while (!bytes.empty()) {
        const Decoded d = DecodeOne(bytes);
        AppendUtf8(out, d.codePoint); // a valid sequence encodes back to the same bytes
        bytes.remove_prefix(d.length);
    }
}

void AppendUtf16AsUtf8(std::string& out, std::u16string_view units) {
    AppendDecodedUtf16(out, units.size(), [&](std::size_t i) { return units[i]; });
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    while (!utf8.empty()) {
        const Decoded d = DecodeOne(utf8);
        AppendUtf16(out, d.codePoint);
        utf8.remove_prefix(d.length);
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
    return DecodeUtf16(utf16.size(), [&](std::size_t i) { return utf16[i]; });
}

std::string Utf16LeToUtf8(std::string_view bytes) {
    std::string out = DecodeUtf16(bytes.size() / 2, [&](std::size_t i) {
        return static_cast<char16_t>(static_cast<std::uint8_t>(bytes[2 * i]) |
                                     (static_cast<std::uint8_t>(bytes[2 * i + 1]) << 8));
    });
    if (bytes.size() % 2 != 0) {
        AppendUtf8(out, kReplacementCharacter);
    }
    return out;
}

std::string Utf8ToUtf16Le(std::string_view utf8) {
    const std::u16string units = Utf8ToUtf16(utf8);
    std::string out;
    out.reserve(units.size() * 2);
    for (const char16_t unit : units) {
        out += static_cast<char>(unit & 0xFF);
        out += static_cast<char>(unit >> 8);
    }
    return out;
}

std::string SanitizeUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    AppendValidUtf8(out, text);
    return out;
}

bool NeedsUnicode(std::string_view utf8) {
    return std::any_of(utf8.begin(), utf8.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

} // namespace talvex::platform
