// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "core/services/Paths.h"

namespace talvex {

/// Measures how wide a text is drawn, in pixels: the program measures with its font, tests with a
/// fixed width per character.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    [[nodiscard]] virtual int width(std::string_view utf8) const = 0;
};

/// Shortens a path for display by putting "..." in place of the folders nearest its drive, one at
/// a time, until it fits: C:\a\b\c\d.iso becomes C:\...\b\c\d.iso, then C:\...\c\d.iso, then
/// C:\...\d.iso. The drive part (drive, server and share, or the POSIX root) and the file name are
/// always kept, so the result may still be too wide.
[[nodiscard]] std::string ShortenPath(std::string_view path, int maxWidth, const TextMeasurer& measurer,
                                      PathStyle style = kNativePathStyle);

/// A message and a path as one text for a message box of the given width: the message broken into
/// lines at blanks, CR LF, and the shortened path on a line of its own.
[[nodiscard]] std::string FitMessageAndPath(std::string_view message, std::string_view path, int maxWidth,
                                            const TextMeasurer& measurer, PathStyle style = kNativePathStyle);

} // namespace talvex
