// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace talvex {

/// Appends bytes that should be UTF-8 as valid UTF-8: every byte that does not belong to a
/// well-formed sequence (stray continuation bytes, truncated or overlong sequences, surrogates,
/// values past U+10FFFF) becomes U+FFFD, so outside text can never break what consumes it.
void AppendValidUtf8(std::string& out, std::string_view bytes);

/// True when the bytes are well-formed UTF-8 as they stand.
[[nodiscard]] bool IsValidUtf8(std::string_view bytes);

/// Appends UTF-16 code units as UTF-8; a surrogate without its partner becomes U+FFFD.
void AppendUtf16AsUtf8(std::string& out, std::u16string_view units);

} // namespace talvex
