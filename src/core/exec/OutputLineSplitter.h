// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>

#include "core/services/LogSink.h"

namespace talvex::exec {

/// How a child's output is to be read.
enum class OutputEncoding {
    CodePage, ///< 8-bit text in the system code page (UTF-8 on POSIX)
    Utf16Le,  ///< UTF-16 little-endian, as robocopy writes with /UNICODE
};

/// Cuts a child's output, as it arrives in chunks of any size, into log lines (black, UTF-8).
///
/// Zero units are dropped; LF ends a line; CR ends a line and an LF right after it belongs to the
/// same line end, so CR LF gives one line while bare CRs (progress figures) give a line each.
/// The pairing holds across chunk borders: where a read happens to fall must not add empty lines.
/// An unfinished line is carried into the next chunk and appended by `finish`.
/// UTF-16 output is cut on code units; an odd byte at the end of a chunk waits for its partner.
/// Bytes that are not valid in the encoding become U+FFFD instead of reaching the log.
class OutputLineSplitter final {
public:
    OutputLineSplitter(OutputEncoding encoding, LogSink& log);

    void feed(std::span<const char> chunk);
    /// Appends the unfinished last line, if any, and starts afresh for another run.
    void finish();

private:
    void feedBytes(std::span<const char> chunk);
    void feedUtf16(std::span<const char> chunk);
    void addUnit(char16_t unit);
    void emitBytes(std::string_view bytes, bool nonAscii);
    void emitUnits();

    OutputEncoding m_encoding;
    LogSink& m_log;
    std::string m_line;          // carry-over of 8-bit output
    bool m_lineNonAscii = false; // the carry-over holds a byte with its high bit set
    std::u16string m_units;      // carry-over of UTF-16 output
    std::string m_converted;     // scratch for the text handed to the log
    bool m_afterCr = false;      // the last unit seen ended a line with CR
    bool m_hasOddByte = false;
    char m_oddByte = 0;
};

} // namespace talvex::exec
