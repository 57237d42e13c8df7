// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/CodePage.h"

#include "platform/Unicode.h"

namespace talvex::platform {

// The system code page on POSIX is UTF-8, so the conversions only repair ill-formed input.

std::string ToSystemCodePage(std::string_view utf8) {
    return SanitizeUtf8(utf8);
}

std::string FromSystemCodePage(std::string_view text) {
    return SanitizeUtf8(text);
}

bool IsRepresentableInSystemCodePage(std::string_view utf8) {
    return SanitizeUtf8(utf8) == utf8;
}

} // namespace talvex::platform
