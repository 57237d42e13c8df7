// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace talvex::platform {

/// A file-system path from UTF-8 text, the encoding of every path the program holds. The narrow
/// constructor of std::filesystem::path (and of the file streams) reads the ANSI code page on
/// Windows, which turns "Müll" into "MÃ¼ll"; this one reads UTF-8 everywhere.
[[nodiscard]] std::filesystem::path PathFromUtf8(std::string_view utf8);

/// The path as UTF-8 text; the counterpart of PathFromUtf8 (path::string() gives the ANSI code
/// page on Windows, and loses what it cannot hold).
[[nodiscard]] std::string Utf8FromPath(const std::filesystem::path& path);

} // namespace talvex::platform
