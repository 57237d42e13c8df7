// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace talvex::platform {

/// The character that stands in for every byte sequence or code unit that cannot be decoded.
inline constexpr char32_t kReplacementCharacter = 0xFFFD;

/// Decodes UTF-8. Every ill-formed sequence (overlong forms, encoded surrogates, values beyond
/// U+10FFFF, stray or missing continuation bytes) becomes one U+FFFD per maximal invalid part.
[[nodiscard]] std::u16string Utf8ToUtf16(std::string_view utf8);

/// Encodes UTF-16 as UTF-8; an unpaired surrogate becomes U+FFFD.
[[nodiscard]] std::string Utf16ToUtf8(std::u16string_view utf16);

/// UTF-16LE bytes as read from a file; an odd last byte becomes U+FFFD. A byte order mark is
/// kept as U+FEFF: whether it belongs to the text is the reader's decision.
[[nodiscard]] std::string Utf16LeToUtf8(std::string_view bytes);

/// UTF-8 text as UTF-16LE bytes for a file, without a byte order mark.
[[nodiscard]] std::string Utf8ToUtf16Le(std::string_view utf8);

/// The text with every ill-formed UTF-8 sequence replaced by U+FFFD; valid text comes back unchanged.
[[nodiscard]] std::string SanitizeUtf8(std::string_view text);

/// True when the text holds a character outside 7-bit ASCII, so that it needs Unicode (or a
/// short name) in files written in a code page.
[[nodiscard]] bool NeedsUnicode(std::string_view utf8);

} // namespace talvex::platform
