// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Text.h"

#include <cstdint>

namespace robocopy {

namespace {

char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

void AppendUnit(std::string& out, std::uint32_t unit) {
    out.push_back(static_cast<char>(unit & 0xFFU));
    out.push_back(static_cast<char>((unit >> 8) & 0xFFU));
}

} // namespace

std::string ToUpperAscii(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        c = Upper(c);
    }
    return result;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= 32) {
        text.remove_prefix(1);
    }
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32) {
        text.remove_suffix(1);
    }
    return text;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Upper(a[i]) != Upper(b[i])) {
            return false;
        }
    }
    return true;
}

std::string Utf8ToUtf16le(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::uint32_t code = 0xFFFD;
        std::size_t length = 1;
        std::size_t extra = 0;
        std::uint32_t minimum = 0;
        if (lead < 0x80) {
            code = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            code = lead & 0x1FU;
            minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            code = lead & 0x0FU;
            minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            code = lead & 0x07U;
            minimum = 0x10000;
        } else {
            code = 0xFFFD;
        }
        if (extra > 0) {
            bool valid = i + extra < text.size();
            for (std::size_t k = 1; valid && k <= extra; ++k) {
                const auto next = static_cast<unsigned char>(text[i + k]);
                if ((next & 0xC0) != 0x80) {
                    valid = false;
                } else {
                    code = (code << 6) | (next & 0x3FU);
                }
            }
            if (valid && code >= minimum && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF)) {
                length = extra + 1;
            } else {
                code = 0xFFFD;
            }
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            AppendUnit(out, 0xD800 + (code >> 10));
            AppendUnit(out, 0xDC00 + (code & 0x3FFU));
        } else {
            AppendUnit(out, code);
        }
        i += length;
    }
    return out;
}

bool WildcardMatch(std::string_view pattern, std::string_view text) {
    // Iterative matcher with one back-tracking point: linear enough for names and never recursive.
    std::size_t p = 0;
    std::size_t t = 0;
    std::size_t starP = std::string_view::npos;
    std::size_t starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starT = t;
        } else if (p < pattern.size() && (pattern[p] == '?' || Upper(pattern[p]) == Upper(text[t]))) {
            ++p;
            ++t;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

std::string EscapeControls(std::string_view text) {
    const auto needsEscape = [&text](std::size_t i) {
        const auto c = static_cast<unsigned char>(text[i]);
        return c < 0x20 || c == 0x7F || (c == '\\' && i + 1 < text.size() && text[i + 1] == '#');
    };
    std::size_t i = 0;
    while (i < text.size() && !needsEscape(i)) {
        ++i;
    }
    if (i == text.size()) {
        return std::string(text);
    }
    std::string result(text.substr(0, i));
    for (; i < text.size(); ++i) {
        if (needsEscape(i)) {
            const auto c = static_cast<unsigned char>(text[i]);
            result += "\\#";
            result += static_cast<char>('0' + (c >> 6));
            result += static_cast<char>('0' + ((c >> 3) & 7));
            result += static_cast<char>('0' + (c & 7));
        } else {
            result += text[i];
        }
    }
    return result;
}

} // namespace robocopy
