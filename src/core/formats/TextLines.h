// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "core/formats/LineList.h"
#include "core/services/Result.h"
#include "platform/Files.h"

namespace talvex::formats {

/// Turns the bytes of a text file into lines. A UTF-8 or UTF-16LE byte-order mark decides the
/// encoding and is dropped; without one the bytes are in the system code page. Where that is UTF-8,
/// bytes that are no valid UTF-8 are read as Windows-1252, the code page of job files saved on
/// Windows. Lines end at CR LF,
/// LF or a lone CR; a line end at the very end gives no extra empty line.
[[nodiscard]] LineList DecodeTextLines(std::string_view bytes);

/// The bytes a line list is saved as: each line in the system code page followed by CR LF (the
/// last line too), no byte-order mark.
[[nodiscard]] std::string EncodeTextLines(const LineList& lines);

/// Files larger than this are no job or batch files; they are refused instead of read into memory.
inline constexpr std::size_t kMaxTextFileSize = std::size_t{16} * 1024 * 1024;

/// Reads a whole file with `DecodeTextLines`; the error names the file and the system's reason.
[[nodiscard]] Result<LineList> LoadTextLines(const std::string& path);

/// Writes `EncodeTextLines` of the list atomically: the old file stays intact when this fails, and
/// the error names the file and the system's reason (a full disk, a missing folder). `io` carries
/// the system calls, so a test can make them fail.
[[nodiscard]] Status SaveTextLines(const std::string& path, const LineList& lines);
[[nodiscard]] Status SaveTextLines(const std::string& path, const LineList& lines, platform::FileIo& io);

} // namespace talvex::formats
