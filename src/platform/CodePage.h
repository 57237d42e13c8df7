// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace talvex::platform {

/// UTF-8 text in the system code page, the encoding of the job and batch files we write: UTF-8 on
/// POSIX, the ANSI code page on Windows. Characters that the code page lacks, and ill-formed input,
/// become a replacement character; nothing is dropped silently.
[[nodiscard]] std::string ToSystemCodePage(std::string_view utf8);

/// Text in the system code page as UTF-8; bytes that do not decode become U+FFFD.
[[nodiscard]] std::string FromSystemCodePage(std::string_view text);

/// Text of a file written in a code page (job and batch files, settings) as UTF-8. As
/// FromSystemCodePage, except where the system code page is UTF-8 (POSIX): there bytes that are no
/// valid UTF-8 are a file from Windows, in the code page of the German systems this program comes
/// from, Windows-1252, and read as such they keep their umlauts instead of becoming U+FFFD.
[[nodiscard]] std::string FromFileCodePage(std::string_view text);

/// True when the text survives the way into the system code page and back unchanged.
[[nodiscard]] bool IsRepresentableInSystemCodePage(std::string_view utf8);

} // namespace talvex::platform
